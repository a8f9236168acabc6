// The 32-bit DLL's unwind tables, registered with the unwinder its own code throws through.
//
// On i686 the run-time unwinds C++ exceptions by DWARF tables that must be registered at start-up. The
// compiler's start-up code registers this DLL's tables with the shared libgcc_s_dw2-1.dll when that DLL is
// already in the process (another add-in, an XLL or an OCX built with mingw-w64 loaded it), not with the
// unwinder linked into this DLL. Our throws run that linked unwinder, which then finds no frame and ends the
// IDE's process. So where the shared unwinder was there at start-up, the tables are registered with ours too.
#include <windows.h>

#include <cstddef>

extern "C" {
// The linked unwinder's registration, from libgcc_eh.
void __register_frame_info(const void* begin, void* object);
void* __deregister_frame_info(const void* begin);

// A label inside this DLL's .eh_frame section, which tells the section apart from the others.
extern const char tandrel_eh_frame_marker[];
extern IMAGE_DOS_HEADER __ImageBase;
}

asm(".section .eh_frame,\"dr\"\n"
    ".globl _tandrel_eh_frame_marker\n"
    "_tandrel_eh_frame_marker:\n"
    ".text\n");

namespace {

// The unwinder's record of one registered table (its `struct object`), with room to spare.
alignas(void*) char registration[16 * sizeof(void*)];
const void* registeredTables = nullptr;

// The start of the section that holds `address`: the first record of the DLL's unwind tables, which run on
// to the terminator the compiler's end code places after the last.
const void* SectionStart(const void* address) {
  const auto* base = reinterpret_cast<const BYTE*>(&__ImageBase);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + __ImageBase.e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
  const auto offset = static_cast<std::size_t>(static_cast<const BYTE*>(address) - base);
  for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
    if (offset >= section->VirtualAddress && offset < section->VirtualAddress + section->Misc.VirtualSize) {
      return base + section->VirtualAddress;
    }
  }
  return nullptr;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH && GetModuleHandleW(L"libgcc_s_dw2-1.dll")) {
    registeredTables = SectionStart(tandrel_eh_frame_marker);
    if (registeredTables) __register_frame_info(registeredTables, registration);
  } else if (reason == DLL_PROCESS_DETACH && registeredTables) {
    __deregister_frame_info(registeredTables);
    registeredTables = nullptr;
  }
  return TRUE;
}
