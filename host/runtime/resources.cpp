// Windows resource loading over the tables that each module registers at load.
#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "standin/ModuleResources.h"
#include "windows.h"

namespace {

constexpr WORD kLangNeutral = 0;
constexpr WORD kLangEnglishUs = 1033;

struct Registry {
    std::mutex mutex;
    std::vector<std::pair<HINSTANCE, const ModuleResourceTable*>> tables;
};

// Built on first use, so registrations from any module's static initialisers find it.
Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

wchar_t UpperAscii(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// A resource name or type as the caller gave it: an integer, or a name.
struct ResourceKey {
    bool isInteger = false;
    WORD id = 0;
    const wchar_t* name = nullptr;
};

// "#123" means the integer 123, as on Windows.
bool ParseHashNumber(const wchar_t* text, WORD& id) {
    if (text[0] != L'#' || text[1] == L'\0') {
        return false;
    }
    unsigned long value = 0;
    for (const wchar_t* p = text + 1; *p != L'\0'; ++p) {
        if (*p < L'0' || *p > L'9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned long>(*p - L'0');
        if (value > 0xFFFF) {
            return false;
        }
    }
    id = static_cast<WORD>(value);
    return true;
}

ResourceKey KeyOf(LPCWSTR text) {
    ResourceKey key;
    if (IS_INTRESOURCE(text)) {
        key.isInteger = true;
        key.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(text));
    } else if (ParseHashNumber(text, key.id)) {
        key.isInteger = true;
    } else {
        key.name = text;
    }
    return key;
}

bool NamesEqualIgnoringCase(const wchar_t* a, const wchar_t* b) {
    for (; *a != L'\0' && *b != L'\0'; ++a, ++b) {
        if (UpperAscii(*a) != UpperAscii(*b)) {
            return false;
        }
    }
    return *a == *b;
}

bool Matches(const ResourceKey& key, const wchar_t* name, WORD id) {
    if (key.isInteger) {
        return name == nullptr && id == key.id;
    }
    return name != nullptr && NamesEqualIgnoringCase(key.name, name);
}

// Among the languages of one resource, prefer neutral, then US English, then the first one.
int LanguageRank(WORD language) {
    if (language == kLangNeutral) {
        return 0;
    }
    return language == kLangEnglishUs ? 1 : 2;
}

const ModuleResource* Find(HMODULE module, const ResourceKey& name, const ResourceKey& type) {
    if (module == nullptr) {
        return nullptr;
    }
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const ModuleResource* best = nullptr;
    for (const auto& [handle, table] : registry.tables) {
        if (handle != module) {
            continue;
        }
        for (std::size_t i = 0; i < table->count; ++i) {
            const ModuleResource& r = table->resources[i];
            if (!Matches(type, r.typeName, r.typeId) || !Matches(name, r.name, r.nameId)) {
                continue;
            }
            if (best == nullptr || LanguageRank(r.language) < LanguageRank(best->language)) {
                best = &r;
            }
        }
    }
    return best;
}

WORD ReadWord(const BYTE* p) {
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

}  // namespace

void RegisterModuleResources(HINSTANCE module, const ModuleResourceTable* table) {
    if (module == nullptr || table == nullptr) {
        return;
    }
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.tables.emplace_back(module, table);
}

void UnregisterModuleResources(HINSTANCE module, const ModuleResourceTable* table) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto& tables = registry.tables;
    tables.erase(std::remove(tables.begin(), tables.end(), std::make_pair(module, table)),
                 tables.end());
}

HINSTANCE ModuleHandleOf(const void* addressInModule) {
    Dl_info info{};
    if (addressInModule == nullptr || dladdr(addressInModule, &info) == 0) {
        return nullptr;
    }
    return static_cast<HINSTANCE>(info.dli_fbase);
}

HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
    if (lpName == nullptr || lpType == nullptr) {
        return nullptr;
    }
    const ModuleResource* found = Find(hModule, KeyOf(lpName), KeyOf(lpType));
    // The handle is the table entry itself; nothing is ever allocated for it.
    return reinterpret_cast<HRSRC>(const_cast<ModuleResource*>(found));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo) {
    if (hResInfo == nullptr) {
        return nullptr;
    }
    const auto* resource = reinterpret_cast<const ModuleResource*>(hResInfo);
    return const_cast<BYTE*>(resource->data);
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo) {
    if (hResInfo == nullptr) {
        return 0;
    }
    return reinterpret_cast<const ModuleResource*>(hResInfo)->size;
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
    return hResData;
}

BOOL WINAPI DisableThreadLibraryCalls(HMODULE) {
    return TRUE;
}

// Strings live in RT_STRING blocks of 16: block n + 1 holds strings 16n .. 16n + 15, each a
// 16-bit UTF-16 unit count followed by that many units. wchar_t is UTF-32 here, so surrogate
// pairs become one character.
int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
    if (lpBuffer == nullptr || cchBufferMax < 1 || uID > 0xFFFF) {
        return 0;
    }
    lpBuffer[0] = L'\0';
    const WORD blockId = static_cast<WORD>(uID / 16 + 1);
    HRSRC block = FindResourceW(hInstance, MAKEINTRESOURCEW(blockId), RT_STRING);
    if (block == nullptr) {
        return 0;
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(hInstance, block)));
    const std::size_t size = SizeofResource(hInstance, block);
    std::size_t offset = 0;
    for (UINT entry = 0; entry < uID % 16; ++entry) {
        if (offset + 2 > size) {
            return 0;
        }
        offset += 2 + 2 * std::size_t{ReadWord(data + offset)};
    }
    if (offset + 2 > size) {
        return 0;
    }
    const std::size_t units = ReadWord(data + offset);
    offset += 2;
    if (offset + 2 * units > size) {
        return 0;
    }
    const auto limit = static_cast<std::size_t>(cchBufferMax - 1);
    std::size_t copied = 0;
    for (std::size_t i = 0; i < units && copied < limit; ++i) {
        std::uint32_t c = ReadWord(data + offset + 2 * i);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
            const std::uint32_t low = ReadWord(data + offset + 2 * (i + 1));
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        lpBuffer[copied++] = static_cast<wchar_t>(c);
    }
    lpBuffer[copied] = L'\0';
    return static_cast<int>(copied);
}
