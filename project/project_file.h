#pragma once

#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

#include "platform/api/atomic_file.h"
#include "platform/api/bounded_file.h"

namespace vm {

// Writing the files the program owns: a project file holds the canvas's logo
// XML as delivered, App.Config the recent-file history. Both are written
// whole, through a temporary file beside the target that is renamed over it,
// so a crash or a full disk never leaves a truncated file behind.
namespace project_file {

using Outcome = WriteOutcome;

// Whether path can be opened as a project: a regular file within the size of
// any project, checked without waiting on a pipe. Missing is told apart, as
// the flows keep their own words for a file that is not there.
BoundedRead checkProject(const QString& path);
// What the user reads about a project that is there but cannot be opened.
QString cannotOpenMessage(const BoundedRead& check);

// Replaces path with bytes atomically (see writeFileAtomically).
Outcome writeAtomically(const QString& path, const QByteArray& bytes);

// Parse options that keep everything a document holds: declaration,
// doctype, comments, processing instructions and whitespace.
inline constexpr unsigned int keepEverything = pugi::parse_full | pugi::parse_ws_pcdata;

// A document parsed from text, with the UTF-8 source it was parsed from.
struct ParsedXml {
    QByteArray source;
    pugi::xml_document document;
    pugi::xml_parse_result result;
};

// Parses text (UTF-8 into the DOM) keeping everything it holds.
void parse(QStringView text, ParsedXml& parsed);

// The text of an XML file: UTF-16 by its byte-order mark, Latin-1 when its
// declaration says so, UTF-8 otherwise.
QString decode(const QByteArray& bytes);

// The document serialised as it was parsed: no declaration, indentation or
// byte-order mark added, the whitespace between top-level nodes (which the
// DOM does not hold) taken from the source, in the encoding its own
// declaration names (UTF-8 when it names none, or one we do not write).
QByteArray serialise(const ParsedXml& parsed);

// The logo XML parsed and serialised for the file. Fails, with the parser's
// reason, when the text is not a well-formed document.
Outcome encodeLogo(QStringView xml, QByteArray& bytes);

// The whole save of a logo: encode, then write atomically. The old file is
// untouched when either step fails.
Outcome writeLogo(const QString& path, const QString& xml);

} // namespace project_file
} // namespace vm
