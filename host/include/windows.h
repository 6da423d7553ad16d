// Stand-in for the subset of the Windows API surface that the plug-in and the SDK headers use.
// Sizes follow the Windows x64 data model (LLP64): ULONG and DWORD are 32 bits, the *_PTR
// types are pointer-sized, so structures and hashes come out as they do on Windows.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef int INT;
typedef unsigned int UINT;
typedef int LONG;
typedef unsigned int ULONG;
typedef unsigned int DWORD;
typedef unsigned short WORD;
typedef unsigned char BYTE;
typedef unsigned short USHORT;
typedef wchar_t WCHAR;
typedef const wchar_t* LPCWSTR;
typedef wchar_t* LPWSTR;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

// Opaque handles: distinct pointer types, as with STRICT on Windows.
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef struct HWND__* HWND;
typedef struct HRSRC__* HRSRC;
typedef void* HGLOBAL;
typedef void* LPVOID;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define WINAPI
#define APIENTRY
#define CALLBACK

#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xffff))

// Resources. Integer names and types travel in the low 16 bits of a pointer, as on Windows.
#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(r) ((reinterpret_cast<ULONG_PTR>(r) >> 16) == 0)
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_RCDATA MAKEINTRESOURCEW(10)

// Reasons of a module's entry point.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

// A module's entry point; the host finds it by name, so it keeps C linkage and stays visible.
extern "C" __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE hinstDLL,
                                                                      DWORD fdwReason,
                                                                      LPVOID lpvReserved);

extern "C" {
// Copies string `uID` of module `hInstance` into `lpBuffer`: at most cchBufferMax - 1
// characters, then a terminating zero. Returns the number of characters copied (without the
// zero); 0 when the string is missing or empty, when the module has no resources, or when
// cchBufferMax is below 1 (the read-only pointer form of Windows is not offered).
int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

// Finds resource `lpName` of type `lpType` in `hModule`. Both are integers (MAKEINTRESOURCEW),
// "#123" strings, or names compared without regard to case. Null when absent.
HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
// The resource's data; it stays valid while the module is loaded. Null for a null `hResInfo`.
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
// Size of the resource's data in bytes; 0 for a null `hResInfo`.
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Pointer to the first byte of loaded data (the handle itself).
LPVOID WINAPI LockResource(HGLOBAL hResData);

// Asks for no thread attach/detach calls to `hLibModule`'s entry point. Always TRUE.
BOOL WINAPI DisableThreadLibraryCalls(HMODULE hLibModule);
}

// Exports of a module. The stand-in builds modules with hidden symbols by default, so an
// export is a symbol of default visibility.
#ifndef _WIN32
#define __declspec(x) __attribute__((visibility("default")))
#endif
