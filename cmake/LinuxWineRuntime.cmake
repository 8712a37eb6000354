# tarnhold_linux_wine_runtime(FOLDER): lays out the Wine runtime Tarnhold
# carries on Linux. It holds no Wine of its own: "bin/wine" and
# "bin/wineserver" hand over to Debian's wine64 package and wineboot.exe is a
# link to the system's copy, so the setup installs it as it installs the
# Mac's bundled runtime. The programs are wrapped rather than linked because
# Wine's loader finds its files through its own path.
function(tarnhold_linux_wine_runtime folder)
    _tarnhold_wine_wrapper(${folder}/bin/wine /usr/lib/wine/wine64)
    _tarnhold_wine_wrapper(${folder}/bin/wineserver /usr/lib/wine/wineserver)
    file(MAKE_DIRECTORY ${folder}/lib/wine/x86_64-windows)
    file(CREATE_LINK /usr/lib/x86_64-linux-gnu/wine/x86_64-windows/wineboot.exe
        ${folder}/lib/wine/x86_64-windows/wineboot.exe SYMBOLIC)
endfunction()

function(_tarnhold_wine_wrapper path program)
    file(CONFIGURE OUTPUT ${path} CONTENT "#!/bin/sh\nexec ${program} \"$@\"\n" @ONLY)
    file(CHMOD ${path}
        PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()
