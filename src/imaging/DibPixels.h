#pragma once
#include "CodecSupport.h"
#include "DibHeader.h"

// Decodes the pixel bits of a device-independent bitmap into a 24-bit picture of its size.
void DecodeDibPixels(const TDibHeader& header, TByteSpan bits, TBitmap& picture, TRowProgress& progress);
