#ifndef CR2200FP_APP_PIXMAPS_H
#define CR2200FP_APP_PIXMAPS_H

// The application frame's compiled-in pictures, in XPM form so that they need neither the
// resource tree nor an image plug-in. Each array is what QPixmap(const char *const[])
// takes; the first line gives width, height, colour count and characters per pixel.
namespace cr2200fp_pixmaps {

// Window icon, 16 by 16, 5 colours: an instrument with a trace on its display and a
// green lamp.
inline const char *const windowIcon[] = {
    "16 16 5 1",
    "  c None",
    ". c #1A2C5E",
    "+ c #C0C0C0",
    "@ c #FFFFFF",
    "# c #00C000",
    "                ",
    " .............. ",
    " .++++++++++++. ",
    " .+........+++. ",
    " .+.@@@@@@.+##. ",
    " .+.@..@@@.+##. ",
    " .+..@@.@@.+++. ",
    " .+..@@.@@.+++. ",
    " .+.@@@..@.+.+. ",
    " .+.@@@@...+.+. ",
    " .+.@@@@@@.+++. ",
    " .+........+++. ",
    " .++++++++++++. ",
    " .............. ",
    "  ..        ..  ",
    "                ",
};

// What's This button, 20 by 17, 3 colours: the pointer with a question mark.
inline const char *const helpIcon[] = {
    "20 17 3 1",
    "  c None",
    ". c #000000",
    "+ c #FFFFFF",
    ".                   ",
    "..           .....  ",
    ".+.         ..   .. ",
    ".++.        ..   .. ",
    ".+++.            .. ",
    ".++++.          ..  ",
    ".+++++.        ..   ",
    ".++++++.      ..    ",
    ".+++++++.     ..    ",
    ".++++.....          ",
    ".+..+.              ",
    "..  .+.       ..    ",
    ".   .+.       ..    ",
    "     .+.            ",
    "     .+.            ",
    "      ..            ",
    "                    ",
};

// Single-shot acquisition not running, 12 by 12, 2 colours: play once, then a bar.
inline const char *const singleStartIcon[] = {
    "12 12 2 1",
    "  c None",
    "# c #008000",
    "            ",
    "  #      ## ",
    "  ##     ## ",
    "  ###    ## ",
    "  ####   ## ",
    "  #####  ## ",
    "  #####  ## ",
    "  ####   ## ",
    "  ###    ## ",
    "  ##     ## ",
    "  #      ## ",
    "            ",
};

// Continuous acquisition not running, 12 by 12, 2 colours: play on and on.
inline const char *const contStartIcon[] = {
    "12 12 2 1",
    "  c None",
    "# c #008000",
    "            ",
    " #     #    ",
    " ##    ##   ",
    " ###   ###  ",
    " ####  #### ",
    " ##### #####",
    " ##### #####",
    " ####  #### ",
    " ###   ###  ",
    " ##    ##   ",
    " #     #    ",
    "            ",
};

// Either acquisition running, 12 by 12, 2 colours: the stop square.
inline const char *const stopIcon[] = {
    "12 12 2 1",
    "  c None",
    "# c #C00000",
    "            ",
    "            ",
    "  ########  ",
    "  ########  ",
    "  ########  ",
    "  ########  ",
    "  ########  ",
    "  ########  ",
    "  ########  ",
    "  ########  ",
    "            ",
    "            ",
};

} // namespace cr2200fp_pixmaps

#endif // CR2200FP_APP_PIXMAPS_H
