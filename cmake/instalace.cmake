# Installation: the game, its files, a launcher, a desktop entry and an icon.
