#pragma once

/* GEN_FONT.dll: text conversion between the control's wide strings (UTF-16,
 * as a BSTR holds them) and the driver's narrow text (UTF-8), the text of the
 * wire and of host names and device paths. */

#include "sdk/include/sbxpc/SdkExport.h"

#include <stddef.h>
#include <stdint.h>

/* Converts `length` UTF-16 units to UTF-8. An unpaired surrogate becomes '?'.
 * Writes at most capacity-1 bytes and a terminating zero (nothing when
 * capacity is 0). Returns the number of bytes the whole text needs, without
 * the zero: a result >= capacity means the output was cut. */
SBX_EXTERN_C SBX_EXPORT size_t gf_wide_to_wire(const uint16_t* text, size_t length, char* out,
                                               size_t capacity);

/* Converts `length` bytes of UTF-8 to UTF-16. Every byte that does not begin
 * a well-formed sequence becomes U+FFFD. Writes at most capacity-1 units and a
 * zero; returns the number of units the whole text needs. */
SBX_EXTERN_C SBX_EXPORT size_t gf_wire_to_wide(const char* text, size_t length, uint16_t* out,
                                               size_t capacity);

/* 1 when the bytes are well-formed UTF-8 without zero bytes, else 0. */
SBX_EXTERN_C SBX_EXPORT int gf_wire_is_valid(const char* text, size_t length);
