#pragma once
#include <windows.h>

#include <string>

// Keeps letters that the program's ANSI code page cannot hold out of an
// edit control: every command is narrow text, so "Тест" typed on a Western
// PC would reach BCDEDIT.EXE, and the store, as "????". Such letters,
// typed or pasted, are not taken, and the user is told which they were.
void GuardAnsiText(HWND edit);
// The same for every edit control below `parent`.
void GuardAnsiTextOfChildren(HWND parent);

// The characters of `text` the ANSI code page has no form for, each once,
// in the order they come.
std::wstring CharactersWithoutAnsiForm(const std::wstring& text);
