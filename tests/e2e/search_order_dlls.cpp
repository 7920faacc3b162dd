// The two DLLs of the DLL-search check: beside_only.dll, which lies only beside the test program, and
// system_importer.dll (IMPORTER), which the check puts in the system folder and which loads the first
// by name.
#include <windows.h>

#ifdef IMPORTER
extern "C" __declspec(dllimport) int BesideOnly();
extern "C" __declspec(dllexport) int Imported() { return BesideOnly(); }
#else
extern "C" __declspec(dllexport) int BesideOnly() { return 1; }
#endif
