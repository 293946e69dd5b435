"""Desktop icons: the mascot's face on a sunny tile, drawn afresh at each size."""
from .canvas import Canvas
from .mascot import Mascot
from .palette import INK

ICON_SIZES = (64, 128, 256)
# The browser's web app manifest: home-screen and splash icons.
WEB_ICON_SIZES = (192, 512)


def icon(size):
    c = Canvas(size, size)
    k = size / 64
    tile = c.rect(2 * k, 2 * k, 62 * k, 62 * k, radius=14 * k)
    c.paint(tile, c.sunburst(32 * k, 40 * k, 10, (255, 214, 70), (255, 196, 40)))
    face = Canvas(size, size)
    Mascot(face, ox=32 * k - 48 * 0.56 * k, oy=39 * k - 80 * 0.56 * k, scale=0.56 * k).draw(hanger=False, arm=False)
    art = face.im.copy()
    art.putalpha(Canvas.intersect(art.getchannel("A"), tile))
    c.im.alpha_composite(art)
    grown = c.rect(2 * k, 2 * k, 62 * k, 62 * k, radius=14 * k)
    inner = c.rect(2 * k + 1.6 * k, 2 * k + 1.6 * k, 62 * k - 1.6 * k, 62 * k - 1.6 * k, radius=12.4 * k)
    c.paint(Canvas.subtract(grown, inner), INK)
    return c.finish()
