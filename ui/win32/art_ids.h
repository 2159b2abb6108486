#pragma once

// Resource IDs of the artwork in art.rc (RCDATA).
#define KX14_ART_PICTURE 101
#define KX14_ART_PROGRAM_GLYPH 102
#define KX14_ART_READ_GLYPH 103
#define KX14_ART_EXIT_GLYPH 104
