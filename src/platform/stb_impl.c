/* The one compilation of stb's image decoder, PNG writer and font rasteriser. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
/* No picture of ours is larger; a bigger one is refused before it is allocated. */
#define STBI_MAX_DIMENSIONS 8192
#include <stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
/* On Windows, file names are UTF-8 like everywhere else (no effect elsewhere). */
#define STBIW_WINDOWS_UTF8
#include <stb_image_write.h>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>
