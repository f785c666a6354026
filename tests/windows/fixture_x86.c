/* A 32-bit (x86) DLL with a _mod_descrip export: right name, wrong machine. */
__declspec(dllexport) const int _mod_descrip = 0;
