"""Drawing kit for the game's pictures: canvas, palette, pieces, screens, buttons."""
