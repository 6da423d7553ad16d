// Stand-in only: how a module's compiled resources reach the Windows resource calls. The
// resource compiler's generated source registers each module's table at load under the
// module's handle (its base address, as on Windows); the host application uses
// ModuleHandleOf to learn the handle of a library it opened. Plug-in code never includes this.
#pragma once

#include <cstddef>

#include "windows.h"

// One resource. Type and name are each either a 16-bit integer (the string pointer is null)
// or an upper-case name. `data` holds `size` bytes in the Windows binary layout of the type.
struct ModuleResource {
    const wchar_t* typeName;
    WORD typeId;
    const wchar_t* name;
    WORD nameId;
    WORD language;
    const BYTE* data;
    DWORD size;
};

struct ModuleResourceTable {
    const ModuleResource* resources;
    std::size_t count;
};

// Makes `table` visible to FindResourceW / LoadStringW for `module`. A module may carry several
// tables; lookups search them in registration order. The table must outlive its registration.
void RegisterModuleResources(HINSTANCE module, const ModuleResourceTable* table);
// Withdraws a table registered for `module` (at unload). Unknown pairs are ignored.
void UnregisterModuleResources(HINSTANCE module, const ModuleResourceTable* table);

// The handle of the module (executable or shared library) that contains `addressInModule`:
// its base address. Null when the address lies in no loaded module.
HINSTANCE ModuleHandleOf(const void* addressInModule);
