/* The one compilation of stb's image decoder, PNG writer and font rasteriser. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
/* No picture of ours is larger; a bigger one is refused before it is allocated. */
#define STBI_MAX_DIMENSIONS 8192
#include <stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>
