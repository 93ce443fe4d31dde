#pragma once

#include <string>

// What the markers of a JPEG file say about how it is coded.
struct JpegLayout {
  bool baseline = false;     // a SOF0 frame: sequential, Huffman, 8-bit
  bool progressive = false;  // a SOF2 frame
  int components = 0;        // in the frame
  bool ycbcr = false;        // components 1, 2, 3 and no Adobe marker saying otherwise
  bool jfif = false;         // an APP0 "JFIF" marker
  int scans = 0;             // SOS markers
  int width = 0;
  int height = 0;
};

// Reads the markers up to the end of the image; a broken file gives what was
// read before the break.
JpegLayout ReadJpegLayout(const std::string& bytes);
