# shellcheck shell=bash
# The Windows package: one folder with the program, the Qt DLLs and plugins it
# loads, mingw-w64's runtime, the Chinese Qt translation for the message boxes'
# buttons and the notes; as a zip and as an NSIS installer. Sourced after
# common.sh and windows-kit.sh (ZR_QT_KIT). There is no windeployqt for a Linux
# host: the DLLs are those the program and its plugins import.
#
#   make_windows_package BUILD OUT   sets ZR_WINDOWS_DIR, ZR_WINDOWS_ZIP, ZR_WINDOWS_INSTALLER

# Where the DLLs that are not Windows' own come from.
zr_windows_dll_folders() {
  echo "$ZR_QT_KIT/bin"
  dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)"
  echo /usr/x86_64-w64-mingw32/lib
}

# Copies into DIR every DLL that a program or DLL in DIR imports, from the
# folders above, until none is missing; Windows' own are left to Windows.
zr_copy_imported_dlls() {
  local dir=$1 copied=1 file dll folder
  local folders
  mapfile -t folders < <(zr_windows_dll_folders)
  while [ "$copied" -eq 1 ]; do
    copied=0
    while IFS= read -r -d '' file; do
      while read -r dll; do
        [ -f "$dir/$dll" ] && continue
        for folder in "${folders[@]}"; do
          if [ -f "$folder/$dll" ]; then
            cp "$folder/$dll" "$dir/"
            copied=1
            break
          fi
        done
      done < <(x86_64-w64-mingw32-objdump -p "$file" | awk '/DLL Name:/ { print $3 }')
    done < <(find "$dir" \( -name '*.exe' -o -name '*.dll' \) -print0)
  done
}

make_windows_package() {
  local build out version name dir
  build=$(realpath "$1")
  out=$(realpath -m "$2")
  version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$ZR_ROOT/CMakeLists.txt")
  name=zr93kw-setfactory-$version-win64
  dir=$out/$name
  rm -rf "$dir" "$out/$name.zip" "$out/$name-setup.exe"
  mkdir -p "$dir"/{platforms,sqldrivers,styles,translations}
  cp "$build/app/zr93kw-setfactory.exe" "$dir/"
  # The desktop, and offscreen for --screenshot without one.
  cp "$ZR_QT_KIT"/plugins/platforms/{qwindows,qoffscreen}.dll "$dir/platforms/"
  cp "$ZR_QT_KIT/plugins/sqldrivers/qsqlodbc.dll" "$dir/sqldrivers/"
  cp "$ZR_QT_KIT/plugins/styles/qwindowsvistastyle.dll" "$dir/styles/"
  cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$dir/translations/"
  cp "$ZR_ROOT/packaging/windows/qt.conf" "$dir/"
  cp "$ZR_ROOT/README.md" "$ZR_ROOT/docs/windows.md" "$dir/"
  zr_copy_imported_dlls "$dir"
  # The kit's and the runtime's DLLs come with their symbols.
  find "$dir" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

  (cd "$out" && zip -q -r -9 "$name.zip" "$name")
  makensis -V2 -DVERSION="$version" -DSOURCE_DIR="$dir" -DOUTFILE="$out/$name-setup.exe" \
    "$ZR_ROOT/packaging/windows/zr93kw-setfactory.nsi"
  ZR_WINDOWS_DIR=$dir
  ZR_WINDOWS_ZIP=$out/$name.zip
  ZR_WINDOWS_INSTALLER=$out/$name-setup.exe
  echo "Windows package: $ZR_WINDOWS_ZIP ($(du -k "$ZR_WINDOWS_ZIP" | cut -f1) KiB)," \
    "$ZR_WINDOWS_INSTALLER ($(du -k "$ZR_WINDOWS_INSTALLER" | cut -f1) KiB)"
}
