// A DLL for the DLL-command tests: one routine exported by name, one by ordinal only.
#include <windows.h>

extern "C" __declspec(dllexport) int ProbeAnswer(int a, int b) { return a * 10 + b; }
extern "C" int ProbeOrdinal() { return 7; }
