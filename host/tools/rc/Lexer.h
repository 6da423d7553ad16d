// Splits resource-script text into tokens. Comments are skipped; a line whose first
// non-blank character is '#' comes back whole as one Directive token.
#pragma once

#include <cstdint>
#include <string>

namespace rc {

struct Token {
    enum Kind { End, Identifier, Number, String, Punct, Directive };
    Kind kind = End;
    std::string text;         // identifier, punctuation, directive line, or string bytes
    std::uint32_t value = 0;  // numbers
    int line = 0;
};

class Lexer {
public:
    // `text` is the whole file; `file` names it in error messages.
    Lexer(std::string file, std::string text, int firstLine = 1);

    Token Next();
    const std::string& file() const { return file_; }

private:
    [[noreturn]] void Fail(const std::string& reason) const;
    void SkipBlanksAndComments();
    Token ReadDirective();
    Token ReadNumber();
    Token ReadString();

    std::string file_;
    std::string text_;
    std::size_t pos_ = 0;
    int line_;
    bool atLineStart_ = true;
};

}  // namespace rc
