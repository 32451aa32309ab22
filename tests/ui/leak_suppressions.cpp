// SPDX-License-Identifier: GPL-3.0-or-later
// Fontconfig keeps a few bytes for the life of the process once Qt has asked it
// for a font; the leak checker of the sanitizer build is told to ignore them.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
