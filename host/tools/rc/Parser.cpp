#include "Parser.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <limits>
#include <sstream>
#include <tuple>

#include "RcError.h"
#include "StringTable.h"
#include "Text.h"

namespace rc {

namespace {

constexpr int kMaxIncludeDepth = 16;

std::string Upper(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

std::string Trim(const std::string& s) {
    const std::size_t begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos) {
        return "";
    }
    return s.substr(begin, s.find_last_not_of(" \t\r") + 1 - begin);
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Describe(const Token& token) {
    switch (token.kind) {
        case Token::End:
            return "end of file";
        case Token::String:
            return "\"" + token.text + "\"";
        case Token::Directive:
            return "#" + token.text;
        default:
            return "'" + token.text + "'";
    }
}

bool IsWord(const Token& token, const char* upperWord) {
    return token.kind == Token::Identifier && Upper(token.text) == upperWord;
}

bool IsPunct(const Token& token, char c) {
    return token.kind == Token::Punct && token.text.size() == 1 && token.text[0] == c;
}

bool IsBegin(const Token& token) {
    return IsWord(token, "BEGIN") || IsPunct(token, '{');
}

bool IsEnd(const Token& token) {
    return IsWord(token, "END") || IsPunct(token, '}');
}

// The Windows constants a script may use after #include <winres.h> (or <windows.h>).
const std::map<std::string, std::int64_t>& WindowsConstants() {
    static const std::map<std::string, std::int64_t> constants = {
        {"WS_CHILD", 0x40000000},
        {"WS_VISIBLE", 0x10000000},
        {"WS_DISABLED", 0x08000000},
        {"WS_BORDER", 0x00800000},
        {"WS_GROUP", 0x00020000},
        {"WS_TABSTOP", 0x00010000},
        {"WS_EX_CLIENTEDGE", 0x200},
        {"DS_SETFONT", 0x40},
        {"DS_SHELLFONT", 0x48},
        {"DS_CONTROL", 0x400},
        {"BS_PUSHBUTTON", 0x0},
        {"BS_AUTOCHECKBOX", 0x3},
        {"BS_GROUPBOX", 0x7},
        {"BS_AUTORADIOBUTTON", 0x9},
        {"SS_LEFT", 0x0},
        {"SS_CENTER", 0x1},
        {"SS_RIGHT", 0x2},
        {"SS_BITMAP", 0xE},
        {"SS_NOTIFY", 0x100},
        {"SS_CENTERIMAGE", 0x200},
        {"SS_SUNKEN", 0x1000},
        {"ES_AUTOHSCROLL", 0x80},
        {"LANG_NEUTRAL", 0x00},
        {"LANG_ENGLISH", 0x09},
        {"LANG_FINNISH", 0x0B},
        {"SUBLANG_NEUTRAL", 0x00},
        {"SUBLANG_DEFAULT", 0x01},
        {"SUBLANG_ENGLISH_US", 0x01},
        {"SUBLANG_ENGLISH_CAN", 0x04},
        {"SUBLANG_FINNISH_FINLAND", 0x01},
        {"IDC_STATIC", -1},
    };
    return constants;
}

// Resource types of the full language that this compiler does not build.
bool IsUnsupportedType(const std::string& upper) {
    static const char* const kTypes[] = {"ACCELERATORS", "CURSOR",     "DIALOG",   "FONT",
                                         "HTML",         "ICON",       "MENU",     "MENUEX",
                                         "MESSAGETABLE", "RCDATA",     "TOOLBAR",  "VERSIONINFO",
                                         "DLGINIT",      "DLGINCLUDE", "PLUGPLAY", "VXD"};
    return std::find(std::begin(kTypes), std::end(kTypes), upper) != std::end(kTypes);
}

std::string ReadWholeFile(const std::string& path, bool& ok) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    ok = static_cast<bool>(file) || file.eof();
    ok = ok && file.is_open();
    return content.str();
}

}  // namespace

const Token& Cursor::Peek() {
    while (!lookahead_) {
        Token token = lexer_.Next();
        if (token.kind == Token::Directive) {
            if (!onDirective_) {
                throw RcError(lexer_.file(), token.line, "unexpected directive");
            }
            onDirective_(token);
            continue;
        }
        lookahead_ = std::move(token);
    }
    return *lookahead_;
}

Token Cursor::Take() {
    Peek();
    Token token = std::move(*lookahead_);
    lookahead_.reset();
    return token;
}

Parser::Parser(const std::string& path)
    : path_(path),
      dir_(DirectoryOf(path)),
      lexer_(path, ""),
      in_(lexer_, [this](const Token& t) { Directive(path_, t, 0); }) {
    bool ok = false;
    std::string text = ReadWholeFile(path, ok);
    if (!ok) {
        throw RcError(path, 0, "cannot read the file");
    }
    lexer_ = Lexer(path, std::move(text));
}

void Parser::Unexpected(Cursor& in, const Token& token, const std::string& expected) const {
    throw RcError(in.file(), token.line, "expected " + expected + ", found " + Describe(token));
}

void Parser::ExpectComma(Cursor& in) {
    const Token token = in.Take();
    if (!IsPunct(token, ',')) {
        Unexpected(in, token, "','");
    }
}

bool Parser::TakeIfComma(Cursor& in) {
    if (IsPunct(in.Peek(), ',')) {
        in.Take();
        return true;
    }
    return false;
}

// ---- Directives -------------------------------------------------------------------------

void Parser::Directive(const std::string& file, const Token& directive, int depth) {
    const std::string text = Trim(directive.text);
    std::size_t nameEnd = 0;
    while (nameEnd < text.size() && std::isalpha(static_cast<unsigned char>(text[nameEnd]))) {
        ++nameEnd;
    }
    const std::string name = text.substr(0, nameEnd);
    const std::string rest = Trim(text.substr(nameEnd));
    if (name == "include") {
        Include(file, directive.line, rest, depth);
    } else if (name == "define") {
        Define(file, directive.line, rest);
    } else if (name == "pragma") {
        Pragma(file, directive.line, rest);
    } else {
        throw RcError(file, directive.line, "unsupported directive '#" + name + "'");
    }
}

void Parser::Include(const std::string& file, int line, const std::string& rest, int depth) {
    if (rest.size() >= 2 && rest.front() == '<' && rest.back() == '>') {
        const std::string header = rest.substr(1, rest.size() - 2);
        if (header != "winres.h" && header != "winresrc.h" && header != "windows.h") {
            throw RcError(file, line, "unknown system header <" + header + ">");
        }
        for (const auto& [symbol, value] : WindowsConstants()) {
            symbols_[symbol] = value;
        }
        return;
    }
    if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') {
        throw RcError(file, line, "expected \"file\" or <file> after #include");
    }
    if (depth >= kMaxIncludeDepth) {
        throw RcError(file, line, "#include nested too deeply");
    }
    const std::string name = rest.substr(1, rest.size() - 2);
    const std::string path = name.front() == '/' ? name : DirectoryOf(file) + name;
    bool ok = false;
    std::string text = ReadWholeFile(path, ok);
    if (!ok) {
        throw RcError(file, line, "cannot read '" + name + "'");
    }
    // An included header may hold only directives (and comments).
    Lexer header(path, std::move(text));
    for (Token token = header.Next(); token.kind != Token::End; token = header.Next()) {
        if (token.kind != Token::Directive) {
            throw RcError(path, token.line, "unexpected " + Describe(token) + " in a header");
        }
        Directive(path, token, depth + 1);
    }
}

void Parser::Define(const std::string& file, int line, const std::string& rest) {
    std::size_t nameEnd = 0;
    while (nameEnd < rest.size() &&
           (std::isalnum(static_cast<unsigned char>(rest[nameEnd])) != 0 || rest[nameEnd] == '_')) {
        ++nameEnd;
    }
    const std::string name = rest.substr(0, nameEnd);
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) != 0) {
        throw RcError(file, line, "expected a name after #define");
    }
    if (nameEnd < rest.size() && rest[nameEnd] == '(') {
        throw RcError(file, line, "macros with arguments are not supported");
    }
    const std::string body = Trim(rest.substr(nameEnd));
    std::optional<std::int64_t> value;
    if (!body.empty()) {
        Lexer lexer(file, body, line);
        Cursor cursor(lexer, nullptr);
        value = Expression(cursor);
        const Token extra = cursor.Take();
        if (extra.kind != Token::End) {
            throw RcError(file, line, "unexpected " + Describe(extra) + " in #define " + name);
        }
    }
    const auto known = symbols_.find(name);
    if (known != symbols_.end() && known->second != value) {
        throw RcError(file, line, "'" + name + "' redefined with another value");
    }
    symbols_[name] = value;
}

void Parser::Pragma(const std::string& file, int line, const std::string& rest) {
    if (rest == "once") {
        return;
    }
    std::string compact;
    for (char c : rest) {
        if (c != ' ' && c != '\t') {
            compact += c;
        }
    }
    if (compact.rfind("code_page(", 0) == 0 && compact.back() == ')') {
        const std::string page = compact.substr(10, compact.size() - 11);
        if (page != "65001") {
            throw RcError(file, line, "code page " + page + " is not supported (only 65001)");
        }
        utf8_ = true;
        return;
    }
    throw RcError(file, line, "unsupported #pragma " + rest);
}

// ---- Expressions ------------------------------------------------------------------------

std::int64_t Parser::Expression(Cursor& in) {
    std::int64_t value = Sum(in);
    while (IsPunct(in.Peek(), '|')) {
        in.Take();
        value |= Sum(in);
    }
    return value;
}

std::int64_t Parser::Sum(Cursor& in) {
    std::int64_t value = Unary(in);
    for (;;) {
        if (IsPunct(in.Peek(), '+')) {
            in.Take();
            value += Unary(in);
        } else if (IsPunct(in.Peek(), '-')) {
            in.Take();
            value -= Unary(in);
        } else {
            return value;
        }
    }
}

std::int64_t Parser::Unary(Cursor& in) {
    const Token token = in.Take();
    if (IsPunct(token, '-')) {
        return -Unary(in);
    }
    if (IsPunct(token, '~')) {
        return ~Unary(in) & 0xFFFFFFFF;
    }
    if (IsPunct(token, '(')) {
        const std::int64_t value = Expression(in);
        const Token close = in.Take();
        if (!IsPunct(close, ')')) {
            Unexpected(in, close, "')'");
        }
        return value;
    }
    if (token.kind == Token::Number) {
        return token.value;
    }
    if (token.kind == Token::Identifier) {
        const auto symbol = symbols_.find(token.text);
        if (symbol == symbols_.end()) {
            throw RcError(in.file(), token.line, "undefined symbol '" + token.text + "'");
        }
        if (!symbol->second) {
            throw RcError(in.file(), token.line, "'" + token.text + "' has no value");
        }
        return *symbol->second;
    }
    Unexpected(in, token, "a number");
}

std::uint32_t Parser::Dword(const char* what) {
    const int line = in_.Peek().line;
    const std::int64_t value = Expression(in_);
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::uint32_t>::max()) {
        throw RcError(path_, line,
                      std::string(what) + " " + std::to_string(value) + " does not fit 32 bits");
    }
    return static_cast<std::uint32_t>(value & 0xFFFFFFFF);
}

std::int16_t Parser::Short(const char* what) {
    const int line = in_.Peek().line;
    const std::int64_t value = Expression(in_);
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw RcError(path_, line,
                      std::string(what) + " " + std::to_string(value) + " is out of range");
    }
    return static_cast<std::int16_t>(value);
}

std::uint16_t Parser::Word(const char* what) {
    const int line = in_.Peek().line;
    const std::int64_t value = Expression(in_);
    if (value < 0 || value > 0xFFFF) {
        throw RcError(path_, line,
                      std::string(what) + " " + std::to_string(value) + " is out of range");
    }
    return static_cast<std::uint16_t>(value);
}

// ---- Statements -------------------------------------------------------------------------

std::vector<Resource> Parser::Run() {
    for (Token token = in_.Take(); token.kind != Token::End; token = in_.Take()) {
        Statement(token);
    }
    for (const auto& [language, table] : strings_) {
        for (Resource& block : EncodeStringBlocks(language, table)) {
            resources_.push_back(std::move(block));
        }
    }
    std::sort(resources_.begin(), resources_.end(), [](const Resource& a, const Resource& b) {
        return std::tie(a.type, a.name, a.language) < std::tie(b.type, b.name, b.language);
    });
    return std::move(resources_);
}

void Parser::Statement(const Token& first) {
    if (IsWord(first, "LANGUAGE")) {
        language_ = LanguageValue();
        return;
    }
    if (IsWord(first, "STRINGTABLE")) {
        StringTable();
        return;
    }
    const ResourceId name = Name(first);
    const Token typeToken = in_.Take();
    if (IsWord(typeToken, "DIALOGEX")) {
        DialogEx(name, first.line);
    } else if (IsWord(typeToken, "BITMAP")) {
        ResourceId type;
        type.id = kRtBitmap;
        FileResource(type, name);
    } else {
        FileResource(Type(typeToken), name);
    }
}

ResourceId Parser::Name(const Token& first) {
    ResourceId name;
    if (first.kind == Token::String) {
        if (first.text.empty()) {
            throw RcError(path_, first.line, "empty resource name");
        }
        name.name = Upper(first.text);
        return name;
    }
    if (first.kind == Token::Identifier &&
        (IsBegin(first) || IsEnd(first) || symbols_.count(first.text) == 0)) {
        if (IsBegin(first) || IsEnd(first) || IsWord(first, "CONTROL")) {
            throw RcError(path_, first.line, "unexpected " + Describe(first));
        }
        throw RcError(path_, first.line, "undefined symbol '" + first.text + "'");
    }
    if (first.kind != Token::Identifier && first.kind != Token::Number) {
        throw RcError(path_, first.line, "unexpected " + Describe(first));
    }
    // The name token is already taken: evaluate it alone (names are single tokens).
    std::int64_t value = first.value;
    if (first.kind == Token::Identifier) {
        const auto& symbol = symbols_.at(first.text);
        if (!symbol) {
            throw RcError(path_, first.line, "'" + first.text + "' has no value");
        }
        value = *symbol;
    }
    if (value < 1 || value > 0xFFFF) {
        throw RcError(path_, first.line,
                      "resource ID " + std::to_string(value) + " is out of range (1..65535)");
    }
    name.id = static_cast<std::uint16_t>(value);
    return name;
}

ResourceId Parser::Type(const Token& token) {
    ResourceId type;
    if (token.kind == Token::Number && token.value >= 1 && token.value <= 0xFFFF) {
        type.id = static_cast<std::uint16_t>(token.value);
        return type;
    }
    if (token.kind != Token::Identifier || IsBegin(token) || IsEnd(token)) {
        Unexpected(in_, token, "a resource type");
    }
    const std::string upper = Upper(token.text);
    if (IsUnsupportedType(upper)) {
        throw RcError(path_, token.line, "resource type " + upper + " is not supported");
    }
    const auto symbol = symbols_.find(token.text);
    if (symbol != symbols_.end() && symbol->second) {
        if (*symbol->second < 1 || *symbol->second > 0xFFFF) {
            throw RcError(path_, token.line, "resource type out of range");
        }
        type.id = static_cast<std::uint16_t>(*symbol->second);
        return type;
    }
    type.name = upper;
    return type;
}

std::uint16_t Parser::LanguageValue() {
    const int line = in_.Peek().line;
    const std::uint16_t primary = Word("language");
    ExpectComma(in_);
    const std::uint16_t sub = Word("sublanguage");
    if (primary >= 0x400 || sub >= 0x40) {
        throw RcError(path_, line, "language out of range");
    }
    return static_cast<std::uint16_t>((sub << 10) | primary);
}

std::u16string Parser::Text(const Token& string) {
    if (!utf8_) {
        for (char c : string.text) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                throw RcError(path_, string.line, "non-ASCII text needs #pragma code_page(65001)");
            }
        }
    }
    std::optional<std::u16string> text = Utf8ToUtf16(string.text);
    if (!text) {
        throw RcError(path_, string.line, "text is not valid UTF-8");
    }
    return *text;
}

void Parser::StringTable() {
    std::uint16_t language = language_;
    Token token = in_.Take();
    while (IsWord(token, "LANGUAGE")) {
        language = LanguageValue();
        token = in_.Take();
    }
    if (!IsBegin(token)) {
        Unexpected(in_, token, "BEGIN");
    }
    for (;;) {
        const Token& next = in_.Peek();
        if (IsEnd(next)) {
            in_.Take();
            return;
        }
        if (next.kind == Token::End) {
            Unexpected(in_, next, "END");
        }
        const int line = next.line;
        const std::uint16_t id = Word("string ID");
        TakeIfComma(in_);
        const Token text = in_.Take();
        if (text.kind != Token::String) {
            Unexpected(in_, text, "a string");
        }
        const std::u16string value = Text(text);
        if (value.size() > 0xFFFF) {
            throw RcError(path_, text.line, "string " + std::to_string(id) + " is too long");
        }
        const auto [where, added] = stringLines_.emplace(std::make_pair(language, id), line);
        if (!added) {
            throw RcError(path_, line,
                          "string " + std::to_string(id) + " already defined at line " +
                              std::to_string(where->second));
        }
        strings_[language][id] = value;
    }
}

void Parser::DialogEx(const ResourceId& name, int line) {
    Dialog dialog;
    std::uint16_t language = language_;
    Rectangle(dialog);
    if (TakeIfComma(in_)) {
        dialog.helpId = Dword("help ID");
    }
    Token token = in_.Take();
    for (; !IsBegin(token); token = in_.Take()) {
        if (IsWord(token, "STYLE")) {
            dialog.style = Dword("style");
        } else if (IsWord(token, "EXSTYLE")) {
            dialog.exStyle = Dword("extended style");
        } else if (IsWord(token, "CAPTION")) {
            const Token caption = in_.Take();
            if (caption.kind != Token::String) {
                Unexpected(in_, caption, "a caption string");
            }
            dialog.caption = Text(caption);
        } else if (IsWord(token, "FONT")) {
            dialog.hasFont = true;
            dialog.font.pointSize = Word("point size");
            ExpectComma(in_);
            const Token face = in_.Take();
            if (face.kind != Token::String) {
                Unexpected(in_, face, "a typeface string");
            }
            dialog.font.typeface = Text(face);
            if (TakeIfComma(in_)) {
                dialog.font.weight = Word("font weight");
                if (TakeIfComma(in_)) {
                    dialog.font.italic = static_cast<std::uint8_t>(Word("italic flag") != 0);
                    if (TakeIfComma(in_)) {
                        const std::uint16_t charset = Word("character set");
                        if (charset > 0xFF) {
                            throw RcError(path_, token.line, "character set out of range");
                        }
                        dialog.font.charset = static_cast<std::uint8_t>(charset);
                    }
                }
            }
        } else if (IsWord(token, "LANGUAGE")) {
            language = LanguageValue();
        } else if (token.kind == Token::Identifier) {
            throw RcError(path_, token.line,
                          "dialog option " + Upper(token.text) + " is not supported");
        } else {
            Unexpected(in_, token, "BEGIN");
        }
    }
    for (token = in_.Take(); !IsEnd(token); token = in_.Take()) {
        if (IsWord(token, "CONTROL")) {
            dialog.items.push_back(Control());
        } else if (token.kind == Token::Identifier) {
            throw RcError(
                path_, token.line,
                "only CONTROL statements are supported in a dialog, not " + Upper(token.text));
        } else {
            Unexpected(in_, token, "CONTROL or END");
        }
    }
    // As the Windows resource compiler does, a FONT statement implies DS_SETFONT.
    if (dialog.hasFont) {
        dialog.style |= kDsSetFont;
    } else if ((dialog.style & kDsSetFont) != 0) {
        throw RcError(path_, line, "style DS_SETFONT needs a FONT statement");
    }
    Resource resource;
    resource.type.id = kRtDialog;
    resource.name = name;
    resource.language = language;
    resource.data = EncodeDialogEx(dialog);
    Add(std::move(resource), line);
}

// CONTROL text, id, class, style, x, y, width, height [, exstyle [, helpid]]
DialogItem Parser::Control() {
    DialogItem item;
    if (in_.Peek().kind == Token::String) {
        item.title.text = Text(in_.Take());
    } else {
        item.title.isOrdinal = true;
        item.title.ordinal = Word("control image ID");
    }
    ExpectComma(in_);
    item.id = Dword("control ID");
    ExpectComma(in_);
    const Token windowClass = in_.Take();
    if (windowClass.kind != Token::String || windowClass.text.empty()) {
        Unexpected(in_, windowClass, "a quoted window class");
    }
    item.windowClass.ordinal = PredefinedClassOrdinal(windowClass.text);
    item.windowClass.isOrdinal = item.windowClass.ordinal != 0;
    if (!item.windowClass.isOrdinal) {
        item.windowClass.text = Text(windowClass);
    }
    ExpectComma(in_);
    item.style = Dword("style");
    ExpectComma(in_);
    Rectangle(item);
    if (TakeIfComma(in_)) {
        item.exStyle = Dword("extended style");
        if (TakeIfComma(in_)) {
            item.helpId = Dword("help ID");
        }
    }
    return item;
}

void Parser::FileResource(const ResourceId& type, const ResourceId& name) {
    const Token file = in_.Take();
    if (file.kind != Token::String || file.text.empty()) {
        Unexpected(in_, file, "a file name");
    }
    const std::string path = file.text.front() == '/' ? file.text : dir_ + file.text;
    bool ok = false;
    std::string bytes = ReadWholeFile(path, ok);
    if (!ok) {
        throw RcError(path_, file.line, "cannot read '" + file.text + "'");
    }
    Resource resource;
    resource.type = type;
    resource.name = name;
    resource.language = language_;
    if (type.name.empty() && type.id == kRtBitmap) {
        // RT_BITMAP holds the file without its 14-byte BITMAPFILEHEADER.
        const bool isBmp = bytes.size() >= 14 + 40 && bytes[0] == 'B' && bytes[1] == 'M' &&
                           static_cast<unsigned char>(bytes[14]) >= 40;
        if (!isBmp) {
            throw RcError(path_, file.line, "'" + file.text + "' is not a BMP file");
        }
        bytes.erase(0, 14);
    }
    resource.data.assign(bytes.begin(), bytes.end());
    Add(std::move(resource), file.line);
}

void Parser::Add(Resource resource, int line) {
    for (std::size_t i = 0; i < resources_.size(); ++i) {
        const Resource& other = resources_[i];
        if (other.type == resource.type && other.name == resource.name &&
            other.language == resource.language) {
            throw RcError(path_, line,
                          "resource " + resource.name.ToString() + " of type " +
                              resource.type.ToString() + " already defined at line " +
                              std::to_string(resourceLines_[i]));
        }
    }
    resources_.push_back(std::move(resource));
    resourceLines_.push_back(line);
}

std::vector<Resource> CompileResourceScript(const std::string& path) {
    return Parser(path).Run();
}

}  // namespace rc
