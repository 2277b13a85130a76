#include "pictures/png/png_bit_input.h"

#include "pictures/png/png_chunks.h"

void startPngBitInput(PngBitInput& input, const PngDecoder& decoder) {
  const std::uint8_t* chunk = decoder.firstImageChunk;
  input.decoder = &decoder;
  input.next = pngChunkData(chunk);
  input.end = input.next + pngChunkLength(chunk);
  input.lastChunk = false;
  input.bits = 0;
  input.count = 0;
}

bool advancePngBitInput(PngBitInput& input) {
  while (!input.lastChunk) {
    const std::uint8_t* chunk = input.end + 4; // past the CRC of the current chunk
    if (!pngChunkReadable(*input.decoder, chunk) || !pngContinuesImageData(chunk)) break;
    input.next = pngChunkData(chunk);
    input.end = input.next + pngChunkLength(chunk);
    if (input.next != input.end) return true; // empty IDAT chunks are passed over
  }
  input.lastChunk = true;
  return false;
}

PngBitInput refilledPngBits(PngBitInput input) {
  while (input.count <= pngBufferBits - 8) {
    if (input.next == input.end && !advancePngBitInput(input)) break;
    input.bits |= PngBitBuffer{*input.next++} << input.count;
    input.count += 8;
  }
  return input;
}
