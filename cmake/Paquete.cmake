# Installing and the Debian package (cpack -G DEB from the build folder).
# Included from the top level after src/ and tools/, whose targets it names.

include(GNUInstallDirs)

# Where the installed program keeps its files when no --carpeta is given and
# its own folder holds no zelvora.cfg.
set(ZELVORA_CARPETA_SITIO "/var/lib/zelvora" CACHE PATH
    "Program folder of an installed zelvora run without --carpeta")
target_compile_definitions(zelvora PRIVATE ZELVORA_CARPETA_SITIO="${ZELVORA_CARPETA_SITIO}")
