"""The sprayer mascot: a round paint bottle with a face, hanging from a trolley.

Drawn in its own 80 x 153 design space (the sprayer picture) and placed on any
canvas with an offset and a scale, so menus and icons reuse the same character.
"""
import math

from .canvas import Canvas, darker, lighter
from .palette import COLOUR, RED, YELLOW, BLUE

CAP = (36, 184, 176)
BODY = (255, 248, 230)
STEEL = (176, 186, 204)
CHEEK = (255, 150, 170, 200)
MOUTH = (150, 40, 60)
TONGUE = (255, 120, 140)
PUPIL = (40, 30, 60)


class Mascot:
    """Draws the mascot on canvas c with its design point (0, 0) at (ox, oy)."""

    def __init__(self, c: Canvas, ox=0.0, oy=0.0, scale=1.0):
        self.c, self.ox, self.oy, self.k = c, ox, oy, scale

    def p(self, x, y):
        return (self.ox + x * self.k, self.oy + y * self.k)

    def pts(self, points):
        return [self.p(x, y) for x, y in points]

    def ellipse(self, cx, cy, rx, ry=None):
        x, y = self.p(cx, cy)
        return self.c.ellipse(x, y, rx * self.k, (rx if ry is None else ry) * self.k)

    def rect(self, x0, y0, x1, y1, r=0):
        a, b = self.p(x0, y0)
        d, e = self.p(x1, y1)
        return self.c.rect(a, b, d, e, radius=r * self.k)

    def line(self, points, w):
        return self.c.line(self.pts(points), w * self.k)

    def shape(self, mask, fill, w=1.6):
        self.c.shape(mask, fill, width=w * self.k)

    # -- parts ---------------------------------------------------------------
    def hanger(self):
        self.shape(Canvas.union(self.rect(45, -2, 51, 26, 2), self.rect(35, 0, 61, 7, 3)), STEEL)
        self.c.paint(self.rect(37, 1.5, 59, 3, 1), (230, 236, 246))

    def nozzle(self):
        self.shape(self.c.poly(self.pts([(36, 112), (60, 112), (54, 142), (42, 142)])), STEEL)
        self.shape(self.rect(40.5, 139, 55.5, 151, 2.5), darker(STEEL, 0.25))
        self.c.paint(self.rect(43, 141, 46, 149, 1), (230, 236, 246, 200))

    def arm(self, mood):
        hand = {"happy": (7, 100), "cheer": (6, 52), "sad": (12, 112)}[mood]
        elbow = {"happy": (10, 90), "cheer": (9, 70), "sad": (15, 102)}[mood]
        self.shape(self.line([(24, 88), elbow, hand], 5.5), BODY)
        self.shape(self.ellipse(hand[0], hand[1], 5.2), CAP)

    def body(self):
        body = self.ellipse(48, 80, 30, 42)
        self.shape(body, BODY, w=1.8)
        # A rainbow belt of the three primaries.
        for i, col in enumerate((COLOUR[RED], COLOUR[YELLOW], COLOUR[BLUE])):
            band = self.rect(0, 101 + i * 3.6, 90, 104.6 + i * 3.6)
            self.c.paint(Canvas.intersect(body, band), col)
        shade = self.ellipse(58, 86, 26, 38)
        self.c.paint(Canvas.subtract(body, shade), (255, 255, 255, 150))
        self.c.paint(Canvas.intersect(body, Canvas.subtract(self.ellipse(48, 80, 30, 42), self.ellipse(44, 76, 30, 42))),
                     darker(BODY, 0.12))
        self.shape(self.rect(33, 24, 63, 42, 6), CAP)
        self.c.paint(self.rect(36, 26.5, 52, 29.5, 1.5), lighter(CAP, 0.45))

    def face(self, mood):
        for ex in (38.5, 58.5):
            self.shape(self.ellipse(ex, 68, 7.6, 9.2), (255, 255, 255), w=1.4)
            dy = 4.0 if mood != "cheer" else 1.0
            self.c.paint(self.ellipse(ex + 0.8, 68 + dy, 4.4, 5.0), PUPIL)
            self.c.paint(self.ellipse(ex - 0.8, 68 + dy - 2.2, 1.6), (255, 255, 255))
        for cx in (29.5, 67.5):
            self.c.paint(self.ellipse(cx, 84, 5.2, 3.2), CHEEK)
        if mood == "sad":
            self.c.paint(self.line([(30, 59), (40, 55)], 1.8), PUPIL)
            self.c.paint(self.line([(67, 59), (57, 55)], 1.8), PUPIL)
            frown = [(42 + 12 * i / 10, 92 - 4 * math.sin(math.pi * i / 10)) for i in range(11)]
            self.c.paint(self.line(frown, 2.2), MOUTH)
            tear = Canvas.union(self.ellipse(67, 83, 2.4, 2.8), self.c.poly(self.pts([(67, 76.5), (69.3, 82.5), (64.7, 82.5)])))
            self.shape(tear, (120, 200, 255), w=0.9)
            return
        grin = 9.5 if mood == "cheer" else 7.5
        mouth = [(40, 86)] + [(40 + 16 * i / 12, 86 + grin * math.sin(math.pi * i / 12)) for i in range(13)]
        m = self.c.poly(self.pts(mouth))
        self.shape(m, MOUTH, w=1.3)
        self.c.paint(Canvas.intersect(m, self.ellipse(48, 86 + grin, 6, 4)), TONGUE)

    def draw(self, mood="happy", hanger=True, arm=True):
        if hanger:
            self.hanger()
        self.nozzle()
        if arm:
            self.arm(mood)
        self.body()
        self.face(mood)


def sprayer():
    """The sprayer picture (80 x 153)."""
    c = Canvas(80, 153)
    Mascot(c).draw()
    return c.finish()
