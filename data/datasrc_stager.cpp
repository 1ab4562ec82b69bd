// Stages the shipped clip-art catalogue into a program folder's datasrc/
// without losing what the user changed there:
//
//   vm_stage_datasrc SHIPPED_DIR DATASRC_DIR
//
// The catalogue and the list files belong to the user once installed (keywords
// are added to them). A copy of what was shipped last is kept in
// DATASRC_DIR/.shipped/; a file still equal to it (or missing) gets the new
// version, a file the user changed is merged instead:
//   - a list file: the new list, each symbol with the keywords the user added
//     to it (those not in the earlier shipped list) appended;
//   - the catalogue: the user's, with the categories and lists of the new one
//     that it lacks appended.
// Other files (symbols, the licence) are replaced when they differ. Every file
// is written to a temporary name and renamed into place.
#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const catalogueName = "VM_Logos.xml";
const char* const shippedFolder = ".shipped";

std::optional<std::string> readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAtomically(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    const fs::path temporary = path.parent_path() / ("." + path.filename().string() + ".staging");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + temporary.string());
    }
    fs::rename(temporary, path);
}

bool parse(pugi::xml_document& document, const std::string& bytes)
{
    return bool(document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_declaration));
}

std::string save(const pugi::xml_document& document)
{
    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    return text.str();
}

std::string text(const pugi::xml_node& node)
{
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
        return node.value();
    std::string all;
    for (const pugi::xml_node& child : node.children())
        all += text(child);
    return all;
}

std::vector<std::string> splitKeywords(const std::string& list)
{
    std::vector<std::string> keywords;
    std::stringstream stream(list);
    for (std::string keyword; std::getline(stream, keyword, ',');)
        if (!keyword.empty())
            keywords.push_back(keyword);
    return keywords;
}

// The first symbol of a list with this identifier, as the program finds it.
pugi::xml_node findSymbol(const pugi::xml_document& list, const std::string& identifier)
{
    for (const pugi::xml_node& symbol : list.document_element().children())
        if (text(symbol.first_child()) == identifier)
            return symbol;
    return {};
}

std::vector<std::string> keywordsOf(const pugi::xml_node& symbol)
{
    return symbol ? splitKeywords(text(symbol.first_child().next_sibling())) : std::vector<std::string>();
}

bool contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The new list with the user's own keywords kept; nullopt when a version does not parse.
std::optional<std::string> mergeList(const std::string& shipped, const std::string& user, const std::optional<std::string>& earlier)
{
    pugi::xml_document merged, mine, before;
    if (!parse(merged, shipped) || !parse(mine, user))
        return std::nullopt;
    const bool knowEarlier = earlier && parse(before, *earlier);
    for (pugi::xml_node symbol : merged.document_element().children()) {
        const std::string identifier = text(symbol.first_child());
        pugi::xml_node keywordNode = symbol.first_child().next_sibling();
        if (!keywordNode)
            continue;
        std::vector<std::string> keywords = keywordsOf(symbol);
        const std::vector<std::string> shippedBefore = knowEarlier ? keywordsOf(findSymbol(before, identifier)) : keywords;
        std::string list = text(keywordNode);
        for (const std::string& keyword : keywordsOf(findSymbol(mine, identifier))) {
            if (contains(shippedBefore, keyword) || contains(keywords, keyword))
                continue;
            keywords.push_back(keyword);
            list += (list.empty() ? "" : ",") + keyword;
        }
        while (keywordNode.first_child())
            keywordNode.remove_child(keywordNode.first_child());
        keywordNode.append_child(pugi::node_pcdata).set_value(list.c_str());
    }
    return save(merged);
}

// The user's catalogue with the new categories and lists it lacks.
std::optional<std::string> mergeCatalogue(const std::string& shipped, const std::string& user)
{
    pugi::xml_document fresh, mine;
    if (!parse(fresh, shipped) || !parse(mine, user))
        return std::nullopt;
    pugi::xml_node root = mine.document_element();
    bool grown = false;
    for (const pugi::xml_node& category : fresh.document_element().children("Category")) {
        const std::string name = category.first_attribute().value();
        pugi::xml_node own;
        for (const pugi::xml_node& candidate : root.children("Category"))
            if (name == candidate.first_attribute().value())
                own = candidate;
        if (!own) {
            root.append_copy(category);
            grown = true;
            continue;
        }
        for (const pugi::xml_node& list : category.children()) {
            bool listed = false;
            for (const pugi::xml_node& ownList : own.children())
                listed = listed || text(ownList) == text(list);
            if (!listed) {
                own.append_copy(list);
                grown = true;
            }
        }
    }
    return grown ? save(mine) : user;
}

bool isUserData(const fs::path& relative)
{
    return relative.extension() == ".xml";
}

// Stages one file; returns what happened, for the build's log.
const char* stage(const fs::path& source, const fs::path& target, const fs::path& record)
{
    const std::string shipped = readFile(source).value();
    const std::optional<std::string> current = readFile(target);
    const char* done = "unchanged";
    if (!isUserData(source.filename())) {
        if (current != shipped) {
            writeAtomically(target, shipped);
            done = "copied";
        }
        return done;
    }
    const std::optional<std::string> earlier = readFile(record);
    if (!current || (earlier && *current == *earlier)) {
        if (current != shipped) {
            writeAtomically(target, shipped);
            done = "copied";
        }
    } else if (*current != shipped) {
        const std::optional<std::string> merged = source.filename() == catalogueName ? mergeCatalogue(shipped, *current)
                                                                                      : mergeList(shipped, *current, earlier);
        if (!merged) {
            done = "kept (does not parse)";
        } else if (*merged != *current) {
            writeAtomically(target, *merged);
            done = "merged with the user's changes";
        } else {
            done = "kept with the user's changes";
        }
    }
    if (earlier != shipped)
        writeAtomically(record, shipped);
    return done;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SHIPPED_DIR DATASRC_DIR\n", argv[0]);
        return 2;
    }
    const fs::path shippedRoot = argv[1];
    const fs::path targetRoot = argv[2];
    try {
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(shippedRoot))
            if (entry.is_regular_file())
                files.push_back(fs::relative(entry.path(), shippedRoot));
        std::sort(files.begin(), files.end());
        for (const fs::path& relative : files) {
            const char* done = stage(shippedRoot / relative, targetRoot / relative, targetRoot / shippedFolder / relative);
            if (std::string(done) != "unchanged" && std::string(done) != "copied")
                std::printf("datasrc/%s: %s\n", relative.string().c_str(), done);
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "vm_stage_datasrc: %s\n", failure.what());
        return 1;
    }
    return 0;
}
