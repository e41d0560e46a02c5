/* Exports for the calling-convention check to tell apart: one that leaves
   its arguments to the caller, one that removes them itself and a thunk
   that jumps to the latter. */
__declspec(dllexport) int __cdecl probe_cdecl(int a, int b) { return a + b; }

__declspec(dllexport) int __stdcall probe_stdcall(int a, int b) { return a - b; }

__asm__(".text\n"
        ".globl _probe_thunk\n"
        "_probe_thunk:\n"
        "\tjmp _probe_stdcall@8\n"
        ".section .drectve\n"
        ".ascii \" -export:probe_thunk\"\n"
        ".text\n");
