/* stb_implementation.c: the one place the stb image reader and writer are
 * compiled (cmake/FindStb.cmake builds it into Stb::Stb). Everything else
 * includes the headers for their declarations only. */
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
