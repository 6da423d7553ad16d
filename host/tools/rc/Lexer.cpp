#include "Lexer.h"

#include <cctype>

#include "RcError.h"

namespace rc {

namespace {
bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}
}  // namespace

Lexer::Lexer(std::string file, std::string text, int firstLine)
    : file_(std::move(file)), text_(std::move(text)), line_(firstLine) {}

void Lexer::Fail(const std::string& reason) const {
    throw RcError(file_, line_, reason);
}

void Lexer::SkipBlanksAndComments() {
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == '\n') {
            ++line_;
            ++pos_;
            atLineStart_ = true;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++pos_;
        } else if (text_.compare(pos_, 2, "//") == 0) {
            while (pos_ < text_.size() && text_[pos_] != '\n') {
                ++pos_;
            }
        } else if (text_.compare(pos_, 2, "/*") == 0) {
            const int startLine = line_;
            const std::size_t close = text_.find("*/", pos_ + 2);
            if (close == std::string::npos) {
                line_ = startLine;
                Fail("unterminated comment");
            }
            for (std::size_t i = pos_; i < close; ++i) {
                line_ += text_[i] == '\n' ? 1 : 0;
            }
            pos_ = close + 2;
        } else {
            return;
        }
    }
}

Token Lexer::Next() {
    SkipBlanksAndComments();
    Token token;
    token.line = line_;
    if (pos_ >= text_.size()) {
        return token;
    }
    const char c = text_[pos_];
    if (c == '#' && atLineStart_) {
        return ReadDirective();
    }
    atLineStart_ = false;
    if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
        return ReadNumber();
    }
    if (c == '"') {
        return ReadString();
    }
    if (IsIdentStart(c)) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsIdentChar(text_[pos_])) {
            ++pos_;
        }
        token.kind = Token::Identifier;
        token.text = text_.substr(start, pos_ - start);
        return token;
    }
    if (std::string("{},|()+-~<>").find(c) != std::string::npos) {
        ++pos_;
        token.kind = Token::Punct;
        token.text = std::string(1, c);
        return token;
    }
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
        Fail("unexpected character code " + std::to_string(static_cast<unsigned char>(c)));
    }
    Fail(std::string("unexpected character '") + c + "'");
}

// The directive ends at the end of its line; a trailing // comment is dropped, and a /* */
// comment on the line is kept out of the text.
Token Lexer::ReadDirective() {
    Token token;
    token.kind = Token::Directive;
    token.line = line_;
    ++pos_;
    bool inString = false;
    while (pos_ < text_.size() && text_[pos_] != '\n') {
        const char c = text_[pos_];
        if (c == '"') {
            inString = !inString;
        } else if (!inString && text_.compare(pos_, 2, "//") == 0) {
            while (pos_ < text_.size() && text_[pos_] != '\n') {
                ++pos_;
            }
            break;
        } else if (!inString && text_.compare(pos_, 2, "/*") == 0) {
            const std::size_t close = text_.find("*/", pos_ + 2);
            if (close == std::string::npos || text_.find('\n', pos_) < close) {
                Fail("comment in a directive must end on its line");
            }
            pos_ = close + 2;
            token.text += ' ';
            continue;
        }
        token.text += c;
        ++pos_;
    }
    return token;
}

// Decimal or 0x hexadecimal, with optional L / U suffixes; at most 32 bits.
Token Lexer::ReadNumber() {
    Token token;
    token.kind = Token::Number;
    token.line = line_;
    const std::size_t start = pos_;
    int base = 10;
    if (text_.compare(pos_, 2, "0x") == 0 || text_.compare(pos_, 2, "0X") == 0) {
        base = 16;
        pos_ += 2;
    }
    std::uint64_t value = 0;
    std::size_t digits = 0;
    bool tooBig = false;
    while (pos_ < text_.size()) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_])));
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            break;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        tooBig = tooBig || value > 0xFFFFFFFFu;
        value &= 0xFFFFFFFFu;
        ++digits;
        ++pos_;
    }
    while (pos_ < text_.size() && std::string("lLuU").find(text_[pos_]) != std::string::npos) {
        ++pos_;
    }
    if (digits == 0 || (pos_ < text_.size() && IsIdentChar(text_[pos_]))) {
        while (pos_ < text_.size() && IsIdentChar(text_[pos_])) {
            ++pos_;
        }
        Fail("bad number '" + text_.substr(start, pos_ - start) + "'");
    }
    if (tooBig) {
        Fail("number " + text_.substr(start, pos_ - start) + " does not fit 32 bits");
    }
    token.value = static_cast<std::uint32_t>(value);
    token.text = text_.substr(start, pos_ - start);
    return token;
}

// "" stands for one quote; \\ \" \n \r \t \0 are the backslash escapes understood.
Token Lexer::ReadString() {
    Token token;
    token.kind = Token::String;
    token.line = line_;
    ++pos_;
    for (;;) {
        if (pos_ >= text_.size() || text_[pos_] == '\n') {
            Fail("unterminated string");
        }
        const char c = text_[pos_++];
        if (c == '"') {
            if (pos_ < text_.size() && text_[pos_] == '"') {
                token.text += '"';
                ++pos_;
                continue;
            }
            return token;
        }
        if (c != '\\') {
            token.text += c;
            continue;
        }
        if (pos_ >= text_.size()) {
            Fail("unterminated string");
        }
        const char e = text_[pos_++];
        switch (e) {
            case '\\':
                token.text += '\\';
                break;
            case '"':
                token.text += '"';
                break;
            case 'n':
                token.text += '\n';
                break;
            case 'r':
                token.text += '\r';
                break;
            case 't':
                token.text += '\t';
                break;
            case '0':
                token.text += '\0';
                break;
            default:
                Fail(std::string("unknown escape '\\") + e + "' in string");
        }
    }
}

}  // namespace rc
