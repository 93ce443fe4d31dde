#pragma once

// Base64 with the RFC 4648 alphabet "A-Z a-z 0-9 + /", "=" padding and no line
// breaks: the text form of cipher text and of byte-array preference entries.

// Characters that Base64Encode writes for count bytes: ceil(count / 3) x 4.
int Base64EncodedLength(int count);
// Writes the characters of count bytes to out (no terminating zero) and
// returns how many were written. out must hold Base64EncodedLength(count).
int Base64Encode(char* out, const void* bytes, int count);

// An upper bound of the bytes that Base64Decode gives for count characters:
// count rounded up to a multiple of 4, times 3 / 4.
int Base64DecodedLength(int count);
// Decodes count characters into out and returns the bytes written; out must
// hold Base64DecodedLength(count). A missing "=" padding is tolerated.
// Decoding ends at the first "=" or zero byte; any other character outside the
// alphabet also ends it, with a log line. The bytes before the end are kept.
int Base64Decode(void* out, const char* text, int count);
