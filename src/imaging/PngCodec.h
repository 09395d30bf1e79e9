#pragma once
#include <string>

class TBitmap;

// Writes a 24- or 32-bit bitmap as an 8-bit RGB PNG file; raises EFCreateError when the
// file cannot be created and EWriteError when writing fails.
void SavePng(const TBitmap& bitmap, const std::string& fileName);
