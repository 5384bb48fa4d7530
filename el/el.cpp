// The platform library: elSystem (el/system, el/input), elDraw (el/draw) and
// elSound (el/sound).  Each module lives in its own folder.
