# Sourced by the Windows scripts: Windows paths of files here, and where the
# DLLs the cross-built programs load come from.

# windows_path FILE: the file's path as Windows programs under Wine see it.
windows_path() { local p; p="$(realpath "$1")"; echo "Z:${p//\//\\}"; }

# mingw_runtime_dirs: the folders of the MinGW-w64 runtime DLLs (posix
# threads, not win32), one a line.
mingw_runtime_dirs() {
    local dll
    for dll in libstdc++-6.dll libwinpthread-1.dll; do
        dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")"
    done
}

# bundle_dlls FOLDER QT_PREFIX: copies into FOLDER every DLL that its
# programs and plugins (one level down) load, and the DLLs those load, that
# Windows does not have itself: from Qt or from the MinGW runtime, nothing
# else. Prints the MinGW runtime files it copied, one a line, for their
# licences; fails naming a DLL found nowhere.
bundle_dlls() {
    local folder=$1 qt=$2 file dll dir found
    local search=("$qt/bin")
    mapfile -t -O 1 search < <(mingw_runtime_dirs)
    local windows_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    local queue=("$folder"/*.exe "$folder"/*/*.dll)
    while [ ${#queue[@]} -gt 0 ]; do
        file="${queue[0]}"
        queue=("${queue[@]:1}")
        for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
            [ -e "$folder/$dll" ] && continue
            found=""
            for dir in "${search[@]}"; do
                [ -f "$dir/$dll" ] && { found="$dir/$dll"; break; }
            done
            if [ -n "$found" ]; then
                cp "$found" "$folder/"
                queue+=("$folder/$dll")
                [[ "$found" == "$qt"/* ]] || realpath "$found"
            elif [ ! -e "$windows_dlls/${dll,,}" ] && [[ "$dll" != api-ms-win-* ]]; then
                echo "$(basename "$file") needs $dll, which is neither Qt's, MinGW's nor Windows' own." >&2
                return 1
            fi
        done
    done
}
