# Warnings for our own code. Qt's headers come in as system headers through the imported
# targets, so what is reported here is ours.
add_compile_options(
    -Wall -Wextra
    $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor>
    $<$<COMPILE_LANGUAGE:CXX>:-Woverloaded-virtual>)
add_compile_definitions(QT_DISABLE_DEPRECATED_BEFORE=0x050F00 QT_NO_FOREACH)

# g++ marks some inline statics of Qt's headers as unique symbols, which keeps a
# library mapped after dlclose; the plug-in must really go away when it is unloaded.
add_compile_options($<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
