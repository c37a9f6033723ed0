# shellcheck shell=bash
# The Qt kit for 64-bit Windows, built from Debian's own qt6-base source with
# mingw-w64 and the host's Qt tools. Sourced after common.sh.
#
#   ensure_qt_kit   builds the kit unless the cache holds one made from the same
#                   Qt version, configure line, patch and toolchain; sets ZR_QT_KIT
#
# The kit holds only what the station loads: Core, Gui, Widgets and Sql with the
# ODBC driver, the windows and offscreen platforms, with Qt's own zlib, libpng,
# FreeType, HarfBuzz and PCRE2. Left out: OpenGL, D-Bus, Network, PrintSupport,
# Xml, Concurrent, Vulkan, Test, the other SQL drivers, examples and tests.
# Debian's source drops the Wintab headers, hence no tablet events; Direct2D is
# off and the patch lets the windows platform link without it.

ZR_QT_VERSION=6.4.2
ZR_CACHE_DIR=$HOME/.cache/zr93kw-setfactory  # also in CMakePresets.json
ZR_QT_PATCH=$ZR_ROOT/cmake/windows/qtbase-6.4.2-without-direct2d.patch
ZR_WINDOWS_TOOLCHAIN=$ZR_ROOT/cmake/windows/mingw-w64-x86_64.cmake
# Two jobs at low priority: the machine's cores are shared.
ZR_QT_KIT_JOBS=${ZR_QT_KIT_JOBS:-2}

ZR_QT_KIT_CONFIGURE=(
  -release -shared
  -xplatform win32-g++
  -qt-host-path /usr
  -nomake examples -nomake tests
  -no-pkg-config
  -no-opengl -no-dbus -no-vulkan -no-icu -no-zstd -no-libjpeg -no-gif
  -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre
  -no-feature-network -no-feature-printsupport -no-feature-xml
  -no-feature-concurrent -no-feature-testlib -no-feature-androiddeployqt
  -no-feature-tabletevent -no-feature-direct2d
  -sql-odbc -no-feature-sql-sqlite -no-feature-sql-psql -no-feature-sql-mysql
)

# The cache key: what decides the kit's contents.
zr_qt_kit_key() {
  {
    echo "qtbase $ZR_QT_VERSION"
    printf '%s\n' "${ZR_QT_KIT_CONFIGURE[@]}"
    cat "$ZR_QT_PATCH" "$ZR_WINDOWS_TOOLCHAIN"
  } | sha256sum | cut -c1-12
}

# A deb-src entry of its own, for the same mirror and suites as the binaries.
zr_ensure_deb_src() {
  local list=/etc/apt/sources.list.d/zr93kw-setfactory-src.sources
  if apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources; then
    return 0
  fi
  local uris suites
  uris=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null)
  suites=$(awk '/^Suites:/ { $1 = ""; print substr($0, 2); exit }' \
    /etc/apt/sources.list.d/debian.sources 2>/dev/null)
  as_root tee "$list" >/dev/null <<EOF
Types: deb-src
URIs: ${uris:-http://deb.debian.org/debian}
Suites: ${suites:-bookworm bookworm-updates}
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  as_root apt-get update -qq
}

# zr_qt_kit_source DIR: Debian's qtbase source, its own patches applied, in DIR/qtbase.
zr_qt_kit_source() {
  local dir=$1
  zr_ensure_deb_src
  rm -rf "$dir/qtbase"
  mkdir -p "$dir"
  (cd "$dir" && apt-get source -qq --download-only qt6-base 2>/dev/null)
  local dsc
  dsc=$(ls "$dir"/qt6-base_"$ZR_QT_VERSION"+*.dsc 2>/dev/null | tail -n 1)
  if [ -z "$dsc" ]; then
    echo "Qt kit: Debian's qt6-base is not $ZR_QT_VERSION; the patch and the kit need that version" >&2
    return 1
  fi
  (cd "$dir" && dpkg-source --no-check -x "$(basename "$dsc")" qtbase >/dev/null)
  patch -d "$dir/qtbase" -p1 --forward --quiet <"$ZR_QT_PATCH"
}

ensure_qt_kit() {
  local key prefix work started
  key=$(zr_qt_kit_key)
  prefix=$ZR_CACHE_DIR/qt-$ZR_QT_VERSION-mingw64-$key
  ZR_QT_KIT=$prefix
  if [ -f "$prefix/.complete" ]; then
    echo "Qt kit: $prefix (cached)"
    ln -sfn "$prefix" "$ZR_CACHE_DIR/qt-mingw64"
    return 0
  fi
  work=$ZR_CACHE_DIR/qt-build-$key
  echo "Qt kit: building into $prefix (log: $work/build.log)"
  rm -rf "$work" "$prefix"
  mkdir -p "$work/build"
  zr_qt_kit_source "$work"
  started=$(date +%s)
  (
    cd "$work/build"
    "$work/qtbase/configure" -prefix "$prefix" "${ZR_QT_KIT_CONFIGURE[@]}" \
      -- -G Ninja "-DCMAKE_TOOLCHAIN_FILE=$ZR_WINDOWS_TOOLCHAIN"
    nice -n 10 cmake --build . --parallel "$ZR_QT_KIT_JOBS"
    cmake --install .
  ) >"$work/build.log" 2>&1 || {
    tail -n 40 "$work/build.log" >&2
    echo "Qt kit: the build failed; the whole log is $work/build.log" >&2
    return 1
  }
  {
    echo "qtbase $ZR_QT_VERSION, key $key"
    echo "built in $(($(date +%s) - started)) s with $ZR_QT_KIT_JOBS jobs"
    echo "size $(du -sm "$prefix" | cut -f1) MB"
  } >"$prefix/.complete"
  cp "$work/build.log" "$prefix/build.log"
  rm -rf "$work"
  ln -sfn "$prefix" "$ZR_CACHE_DIR/qt-mingw64"
  cat "$prefix/.complete"
}
