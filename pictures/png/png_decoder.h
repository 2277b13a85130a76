#pragma once

#include <cstdint>

// The program's own PNG decoder: a PNG image held in memory becomes the bytes of a top-down
// device-independent bitmap. It needs only bytes; the Windows side (png_bitmap_win.h) attaches
// resources and makes the DIB section.
//
// Format notes. A PNG file is the 8-byte signature 137 80 78 71 13 10 26 10 followed by chunks:
// a 4-byte big-endian data length, a 4-byte type of four letters, the data, a 4-byte CRC. Bit 5
// of the first letter (lower case) marks an ancillary chunk that a decoder may skip; the others
// are critical. IHDR comes first (13 bytes: width, height, bit depth, colour type, compression
// method, filter method, interlace method); PLTE holds the palette as R, G, B triples; the IDAT
// chunks, taken together, hold one zlib stream of the filtered image rows; IEND closes the file.
// CRCs are not checked here, nor is the zlib stream's Adler-32 value.
//
// Use: resetPngDecoder, open (openPngMemory here, openPngResource on Windows), decodePngImage,
// then describePngBitmap and writePngImage (png_bitmap.h) or makePngBitmap on Windows, and
// releasePngDecoder at the end, also after a failure.

enum PngError : std::uint32_t {
  pngOk = 0,
  pngOutOfMemory = 0x1001,        // a buffer could not be allocated
  pngAlreadyOpen = 0x1002,        // open called on a decoder that already has a source
  pngBadData = 0x2000,            // not a PNG image, or its image data cannot be inflated or
                                  // unfiltered (details at each failure)
  pngUnsupported = 0x2001,        // a critical chunk of unknown type, a colour type and bit
                                  // depth that PNG does not define, a compression, filter or
                                  // interlace method PNG does not define, or an image whose
                                  // inflated data would not fit in 32 bits
  pngBadFormat = 0x2002,          // an output format other than the native one, or a bitmap
                                  // too large to describe (or a bits buffer too small for it)
  pngWrongStage = 0x2003,         // operation called at the wrong stage
  pngBitmapFailed = 0x2006,       // the bitmap could not be created
  pngResourceMissing = 0x3001,    // no RT_RCDATA resource with that id
  pngResourceUnloadable = 0x3002, // the resource could not be loaded, or it is empty
};

enum PngStage : std::uint32_t {
  pngEmpty = 0,      // nothing attached
  pngHeaderRead = 1, // source attached, header and chunk list read
  pngInflated = 2,   // rawImage holds the inflated, still filtered rows
};

enum PngSourceKind : std::uint32_t {
  pngNoSource = 0,
  pngOwnedSource = 1,    // memory owned by the decoder, freed (std::free) on release
  pngBorrowedSource = 2, // a resource or caller's memory, never freed here
};

enum PngColourType : std::uint8_t {
  pngGrey = 0,
  pngRgb = 2,
  pngPalette = 3,
  pngGreyAlpha = 4,
  pngRgbAlpha = 6,
};

// One decoding. All fields are zero after resetPngDecoder; the decoder owns rawImage (and the
// source when sourceKind is pngOwnedSource) and releasePngDecoder frees them.
struct PngDecoder {
  std::uint32_t width;                 // image width in pixels, from IHDR
  std::uint32_t height;                // image height in pixels, from IHDR
  std::uint32_t errorCode;             // PngError of the last operation; 0 after success
  std::uint32_t paletteSize;           // entries of the first PLTE chunk (its length / 3)
  std::uint8_t colourType;             // PngColourType from IHDR
  std::uint8_t bitDepth;               // bits per sample from IHDR
  std::uint8_t interlaceMethod;        // 0 none, 1 Adam7
  const std::uint8_t* sourceData;      // first byte of the PNG data
  std::uint32_t sourceSize;            // length of the PNG data in bytes
  const std::uint8_t* chunkCursor;     // chunk being examined while the chunk list is walked
  std::uint8_t* rawImage;              // inflated, still filtered rows (owned)
  std::uint32_t rawImageSize;          // bytes of rawImage, exactly what the header implies
  const std::uint8_t* paletteData;     // data of the first PLTE chunk (R, G, B each), or null
  std::uint32_t sourceKind;            // PngSourceKind
  const std::uint8_t* headerData;      // data of the IHDR chunk
  const std::uint8_t* firstImageChunk; // start of the first IDAT chunk, or null
  std::uint32_t stage;                 // PngStage
};

// Clears every field. Returns true.
bool resetPngDecoder(PngDecoder& decoder);

// Attaches `size` bytes of PNG data that stay owned by the caller and outlive the decoder's use
// of them, then reads the header and walks the chunk list. False with pngAlreadyOpen when a
// source is attached or the stage is not pngEmpty; false with the header's error otherwise
// (the decoder is then left without a source, at pngEmpty).
bool openPngMemory(PngDecoder& decoder, const std::uint8_t* data, std::uint32_t size);

// Inflates the image data into rawImage (stage pngHeaderRead to pngInflated). On failure the
// stage stays pngHeaderRead and no buffer is kept.
bool decodePngImage(PngDecoder& decoder);

// Frees what the decoder owns and clears every field. Returns true.
bool releasePngDecoder(PngDecoder& decoder);
