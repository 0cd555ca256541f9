"""Colours that several pictures must share exactly."""

# The glyph strip's background. The loading screen and the dialogue panel use exactly this
# colour wherever text is drawn, because the glyphs are copied together with their background.
PARCHMENT = (234, 222, 190)
INK = (72, 38, 22)

# The colour key of every sprite: pure white is transparent, so no figure may contain it.
TRANSPARENT = (255, 255, 255)

BRONZE_LIGHT = (226, 178, 96)
BRONZE = (176, 118, 52)
BRONZE_DARK = (98, 58, 24)
ROMAN_RED = (150, 28, 24)
STONE = (196, 188, 170)
