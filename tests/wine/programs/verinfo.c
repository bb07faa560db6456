/* Reads the version resource and the manifest of a program the way Windows
   tools do, and writes what it found to a file, one "name=value" per line:

   verinfo.exe PROGRAM OUTFILE

   The lines: FileVersion and ProductVersion from the fixed part (a.b.c.d),
   FileOS and FileType (hexadecimal), Translation (language and code page),
   each string of the "040904B0" table, then "Manifest=" and the manifest's
   bytes as they stand. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

static const char* const kStrings[] = {"ProductName",    "FileDescription", "FileVersion",
                                       "ProductVersion", "InternalName",    "OriginalFilename",
                                       "LegalCopyright"};

int main(int Argc, char** Argv) {
  DWORD Unused = 0, Size, Len = 0;
  char* Block;
  VS_FIXEDFILEINFO* Fixed;
  WORD* Translation;
  FILE* Out;
  HMODULE Module;
  HRSRC Manifest;
  size_t I;

  if (Argc != 3 || (Out = fopen(Argv[2], "wb")) == NULL) return 2;
  Size = GetFileVersionInfoSizeA(Argv[1], &Unused);
  Block = (char*)malloc(Size ? Size : 1);
  if (Size && GetFileVersionInfoA(Argv[1], 0, Size, Block)) {
    UINT N = 0;
    if (VerQueryValueA(Block, "\\", (void**)&Fixed, &N)) {
      fprintf(Out, "FileVersion=%u.%u.%u.%u\n", HIWORD(Fixed->dwFileVersionMS),
              LOWORD(Fixed->dwFileVersionMS), HIWORD(Fixed->dwFileVersionLS),
              LOWORD(Fixed->dwFileVersionLS));
      fprintf(Out, "ProductVersion=%u.%u.%u.%u\n", HIWORD(Fixed->dwProductVersionMS),
              LOWORD(Fixed->dwProductVersionMS), HIWORD(Fixed->dwProductVersionLS),
              LOWORD(Fixed->dwProductVersionLS));
      fprintf(Out, "FileOS=0x%lx\nFileType=0x%lx\n", Fixed->dwFileOS, Fixed->dwFileType);
    }
    if (VerQueryValueA(Block, "\\VarFileInfo\\Translation", (void**)&Translation, &N) && N >= 4)
      fprintf(Out, "Translation=%04x %04x\n", Translation[0], Translation[1]);
    for (I = 0; I < sizeof kStrings / sizeof kStrings[0]; ++I) {
      char Key[128];
      char* Value = NULL;
      sprintf(Key, "\\StringFileInfo\\040904B0\\%s", kStrings[I]);
      if (VerQueryValueA(Block, Key, (void**)&Value, &N))
        fprintf(Out, "%s=%s\n", kStrings[I], Value);
    }
  }
  Module = LoadLibraryExA(Argv[1], NULL, LOAD_LIBRARY_AS_DATAFILE);
  Manifest = Module ? FindResourceA(Module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : NULL;
  if (Manifest) {
    Len = SizeofResource(Module, Manifest);
    fprintf(Out, "Manifest=");
    fwrite(LockResource(LoadResource(Module, Manifest)), 1, Len, Out);
  }
  fclose(Out);
  return 0;
}
