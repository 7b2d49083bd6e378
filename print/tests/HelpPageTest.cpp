// The help page names every message the program can show, so that a user who meets one
// finds what it means and what to do.
#include "res/MessageTexts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The page's text as a browser shows it: no tags, entities read, blanks of any kind one.
std::string PageText()
{
    std::ifstream file(TARNWICK_HELP_PAGE, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string html = bytes.str();
    std::string text;
    bool inTag = false;
    for (char c : html) {
        if (c == '<') inTag = true;
        else if (c == '>') { inTag = false; text += ' '; }
        else if (!inTag) text += c;
    }
    const std::pair<const char*, const char*> entities[] = {
        {"&quot;", "\""}, {"&#39;", "'"}, {"&apos;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&nbsp;", " "}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;) text.replace(at, std::string(entity).size(), character);
    }
    std::string normal;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank && (normal.empty() || normal.back() == ' ')) continue;
        normal += blank ? ' ' : c;
    }
    return normal;
}

// The message's own words, between the places where a file's name, a reason or a line
// break goes.
std::vector<std::string> Pieces(const std::string& message)
{
    std::vector<std::string> pieces;
    std::string piece;
    const auto flush = [&] {
        while (!piece.empty() && piece.front() == ' ') piece.erase(0, 1);
        while (!piece.empty() && piece.back() == ' ') piece.pop_back();
        if (piece.size() > 2) pieces.push_back(piece);
        piece.clear();
    };
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] == '%' && i + 1 < message.size() && message[i + 1] >= '1' && message[i + 1] <= '9') {
            flush();
            ++i;
        } else if (message[i] == '\r' || message[i] == '\n') {
            flush();
        } else {
            piece += message[i];
        }
    }
    flush();
    return pieces;
}

}  // namespace

TEST(HelpPage, NamesEveryMessageTheProgramShows)
{
    const std::string page = PageText();
    ASSERT_FALSE(page.empty()) << "no help page at " << TARNWICK_HELP_PAGE;
    for (const char* message : kAllMessageTexts) {
        for (const std::string& piece : Pieces(message))
            EXPECT_NE(page.find(piece), std::string::npos) << "the help page does not name: " << message;
    }
}
