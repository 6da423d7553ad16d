// The resource-script parser: directives, LANGUAGE, STRINGTABLE, DIALOGEX, BITMAP and
// custom-type resources.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Dialog.h"
#include "Lexer.h"
#include "Resource.h"

namespace rc {

// One-token lookahead over a lexer; directive tokens go to `onDirective` as they pass.
class Cursor {
public:
    Cursor(Lexer& lexer, std::function<void(const Token&)> onDirective)
        : lexer_(lexer), onDirective_(std::move(onDirective)) {}
    const Token& Peek();
    Token Take();
    const std::string& file() const { return lexer_.file(); }

private:
    Lexer& lexer_;
    std::function<void(const Token&)> onDirective_;
    std::optional<Token> lookahead_;
};

class Parser {
public:
    explicit Parser(const std::string& path);
    std::vector<Resource> Run();

private:
    [[noreturn]] void Unexpected(Cursor& in, const Token& token, const std::string& expected) const;
    void ExpectComma(Cursor& in);
    bool TakeIfComma(Cursor& in);

    // Directives.
    void Directive(const std::string& file, const Token& directive, int depth);
    void Include(const std::string& file, int line, const std::string& rest, int depth);
    void Define(const std::string& file, int line, const std::string& rest);
    void Pragma(const std::string& file, int line, const std::string& rest);

    // Expressions: | and + - over unary - ~ ( ), numbers and defined names.
    std::int64_t Expression(Cursor& in);
    std::int64_t Sum(Cursor& in);
    std::int64_t Unary(Cursor& in);
    std::uint32_t Dword(const char* what);
    std::int16_t Short(const char* what);
    // Reads "x, y, width, height" into box's x, y, cx and cy.
    template <class Box>
    void Rectangle(Box& box) {
        box.x = Short("x");
        ExpectComma(in_);
        box.y = Short("y");
        ExpectComma(in_);
        box.cx = Short("width");
        ExpectComma(in_);
        box.cy = Short("height");
    }
    std::uint16_t Word(const char* what);

    // Statements.
    void Statement(const Token& first);
    std::uint16_t LanguageValue();
    void StringTable();
    void DialogEx(const ResourceId& name, int line);
    DialogItem Control();
    void FileResource(const ResourceId& type, const ResourceId& name);
    ResourceId Name(const Token& first);
    ResourceId Type(const Token& token);
    std::u16string Text(const Token& string);
    void Add(Resource resource, int line);

    std::string path_;
    std::string dir_;
    Lexer lexer_;
    Cursor in_;
    std::map<std::string, std::optional<std::int64_t>> symbols_;
    bool utf8_ = false;
    std::uint16_t language_ = 1033;
    std::map<std::uint16_t, std::map<std::uint16_t, std::u16string>> strings_;
    std::map<std::pair<std::uint16_t, std::uint16_t>, int> stringLines_;
    std::vector<Resource> resources_;
    std::vector<int> resourceLines_;
};

}  // namespace rc
