"""Every picture the game loads, by file name or resource id, with its size and
the function that draws it."""
from . import board, boards, buttons, daily, help_pages, mascot, panels, pieces, records, scenes, text, weather, words

# (file name under Images/, (width, height), builder)
IMAGES = (
    [("bg.jpg", (480, 625), board.background),
     ("penqi.png", (80, 153), mascot.sprayer),
     ("splash.png", (480, 720), scenes.splash),
     ("start.png", (480, 720), scenes.start_menu),
     ("set.png", (320, 520), panels.settings_panel)]
    + [(name, (360, 560), (lambda p=p: help_pages.help_page(p))) for p, name in enumerate(help_pages.PAGE_FILES)]
    + [(f"map{s}.png", (32, 126), (lambda s=s: pieces.tube(s))) for s in range(19)]
    + [("map19.png", (32, 126), pieces.golden_tube),
       ("bom.png", (32, 126), pieces.broken_tube)]
    + [(f"key{k}.png", (32, 32), (lambda k=k: pieces.key(k))) for k in range(8)]
    + [(f"color{c}.png", (16, 48), (lambda c=c: pieces.shot(c))) for c in range(6)]
    + [(f"c{c}.png", (30, 40), (lambda c=c: pieces.preview(c))) for c in range(6)]
    + [("p0.png", (480, 6), pieces.time_bar)]
    + [(f"sd{f}.png", (250, 450), (lambda f=f: weather.lightning(f))) for f in range(4)]
    + [("darkclouds.png", (100, 80), weather.dark_cloud),
       ("past.png", (480, 720), scenes.level_passed),
       ("gameover.png", (480, 720), scenes.game_over),
       ("levels.png", (480, 720), records.level_screen),
       ("finale.png", (480, 720), records.finale),
       ("record.png", records.RECORD, records.record_mark)]
    + [(f"stars{n}.png", records.STARS, (lambda n=n: records.stars(n))) for n in range(4)]
    + [("daily.png", (480, 720), daily.daily_screen),
       ("watch.png", (480, 720), daily.watch_screen),
       ("practice.png", daily.MARK, daily.practice_mark),
       ("replay.png", daily.MARK, daily.replay_mark),
       ("ghost.png", daily.SPRAYER, daily.ghost_sprayer),
       ("leaderboard.png", (480, 720), daily.leaderboard_screen),
       ("maker.png", (480, 720), boards.maker_screen),
       ("board.png", (480, 720), boards.board_screen)]
)

# Stored with a palette of 256 colours (make_assets.encode).
PALETTED = set(help_pages.PAGE_FILES)

# Resource id -> (width, height). There is no resource 107.
RESOURCE_SIZES = {}
for _id in range(101, 107):
    RESOURCE_SIZES[_id] = (50, 50)
for _id in range(108, 128):
    RESOURCE_SIZES[_id] = (60, 40)
for _id in range(128, 138):
    RESOURCE_SIZES[_id] = (108, 38)
RESOURCE_SIZES.update({138: (65, 40), 139: (65, 40), 140: (60, 37), 141: (60, 37),
                       142: (112, 42), 143: (112, 42), 144: (112, 42), 145: (112, 42),
                       146: (96, 38), 147: (96, 38), 148: (200, 84), 149: (200, 84), 150: (200, 84)})
RESOURCE_SIZES.update({rid: (56, 40) for rid in range(160, 164)})
# The options panel's time bar modes and the language button (lit, dim).
RESOURCE_SIZES.update({rid: (100, 37) for rid in range(180, 185)})
# The daily challenge: the menu's daily button, the daily and watch screens'
# buttons (lit, dim) and the playback speeds.
RESOURCE_SIZES.update({210: (96, 38), 211: (96, 38)})
RESOURCE_SIZES.update({rid: (160, 44) for rid in range(212, 222)})
RESOURCE_SIZES.update({rid: (56, 40) for rid in range(222, 230)})
# The day's leaderboard: the daily screen's Post, Leaderboard and Another name
# (lit, dim), and the leaderboard's rows, a player's and the player's own.
RESOURCE_SIZES.update({rid: (160, 44) for rid in range(230, 236)})
RESOURCE_SIZES.update({rid: daily.ROW for rid in range(236, 240)})
# Boards players make: the menu's make button, the maker's score steps and its
# buttons (lit, dim).
RESOURCE_SIZES.update({300: (96, 38), 301: (96, 38)})
RESOURCE_SIZES.update({rid: boards.STEP for rid in range(302, 306)})
RESOURCE_SIZES.update({rid: (160, 44) for rid in range(306, 312)})


def resources():
    """Resource id -> picture, checked against RESOURCE_SIZES."""
    pictures = buttons.resource_pictures()
    if sorted(pictures) != sorted(RESOURCE_SIZES):
        raise ValueError("resource ids drawn differ from the catalogue")
    return pictures


# Picture name or resource id -> the lines of text.DRAWN that drawing it added, for the
# generator's report.
LINES = {}


def _drawn(name, draw):
    """The picture and whether it carries any words of the text catalogue."""
    before = set(words.LANGUAGE.used)
    words.LANGUAGE.used.clear()
    first_line = len(text.DRAWN)
    picture = draw()
    LINES[name] = text.DRAWN[first_line:]
    has_words = bool(words.LANGUAGE.used)
    words.LANGUAGE.used |= before
    return picture, has_words


def pictures(only=None):
    """Every picture in the active language: ([(file name, picture, has words)],
    {resource id: (picture, has words)}). only, a set of file names and resource
    ids, limits the drawing to those."""
    builders = buttons.resource_builders()
    if sorted(builders) != sorted(RESOURCE_SIZES):
        raise ValueError("resource ids drawn differ from the catalogue")
    images = [(name, *_drawn(name, draw)) for name, _, draw in IMAGES if only is None or name in only]
    res = {rid: _drawn(rid, draw) for rid, draw in sorted(builders.items()) if only is None or rid in only}
    return images, res
