# The application frame's banner shows pictures of the resource tree, which the static
# library leaves to whatever carries it; tst_app carries it itself.
target_sources(tst_app PRIVATE $<TARGET_OBJECTS:softfrontpanel_resources>)
