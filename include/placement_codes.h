// The placement codes a plug-in may pass as a new control's x or y instead of pixels. The
// host defines no other value at or above same_line_code.
#pragma once

// x = after_previous_code + n: right of the window's previous control, n pixels more than
// the host's gap (n from 0 to 0x0FFFFFFF).
int const after_previous_code = 0x20000000;
// y = same_line_code + n: on the previous control's line (its top), n pixels lower.
int const same_line_code = 0x10000000;
