#pragma once

#include "artwork/artwork_seams.h"
#include <QString>

namespace vm {


// Search keywords the user adds to a clip-art symbol: the canvas's "add
// keyword" request. The keyword goes into every list file of the category
// that holds the symbol, and each changed list is reported back to the canvas.
class ClipArtKeywords {
public:
    explicit ClipArtKeywords(const ArtworkSeams& host);

    // category "æ" identifier "æ" keyword. Fails (to the dispatcher's trap)
    // when the catalogue or a list file cannot be read or written.
    void AddKeyword(const QString& argument);

    // The keyword list text after adding keyword: the keyword alone for an
    // empty list, else appended after a comma; duplicates are kept.
    static QString appendKeyword(const QString& keywords, const QString& keyword);

private:
    ArtworkSeams host_;
};

} // namespace vm
