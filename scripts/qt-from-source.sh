# shellcheck shell=bash
# SPDX-License-Identifier: MIT
# Qt built once from Debian's own source of the Qt the Linux build uses,
# for another system, into a cache outside the clone keyed by what goes into
# it, with its licences. For scripts/build-qt-windows and scripts/build-qt-web.
# Usage: NAME=... WHAT=... MINUTES=... . qt-from-source.sh
#        options=(... $(qt_features))
#        qt_cached KEY || { qt_fetch; qt_build CMAKE_ARGS...; qt_licences; qt_done; }
#        echo "$prefix"
version=$(dpkg-query -W -f='${source:Version}' libqt6core6)
root=${XDG_CACHE_HOME:-$HOME/.cache}/ardivo/qt-$NAME
say() { echo "build-qt-$NAME: $*" >&2; }

# The configure options of this build from the one list both builds read.
qt_features() {
    sed 's/#.*//' "$(dirname "${BASH_SOURCE[0]}")/../cmake/qt-features.txt" |
        awk -v name="$NAME" '$1 == "all" || $1 == name { print $2 }'
}

# Sets prefix and work; succeeds when Qt is in the cache already.
qt_cached() { # qt_cached KEY
    prefix="$root/qt6-base-$version-$1"
    work="$root/work-$1"
    [ -f "$prefix/.complete" ] && return 0
    say "Qt $version for $WHAT is not in the cache yet: building it (about $MINUTES minutes on two cores)."
    say "it goes to $prefix; remove $root to take it away."
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    trap 'rm -rf "$work"' EXIT
    return 1
}

# The source package through apt, from a private apt directory whose deb-src
# entries are those of the machine's own apt sources: no system file changes.
qt_fetch() {
    local apt_dir="$work/apt" list sources n=0
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
    : >"$apt_dir/sources.list"
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list" >>"$apt_dir/sources.list"
    done
    for sources in /etc/apt/sources.list.d/*.sources; do
        [ -f "$sources" ] || continue
        n=$((n + 1))
        sed -E 's/^Types:.*/Types: deb-src/' "$sources" >"$apt_dir/sources.list.d/$n.sources"
    done
    local apt=(apt-get -q -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o Dir::Cache::pkgcache=
        -o Dir::Cache::srcpkgcache= -o APT::Sandbox::User="$(id -un)")
    say "fetching the source package qt6-base $version"
    "${apt[@]}" update >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
    (cd "$work" && "${apt[@]}" source --download-only "qt6-base=$version") >>"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log" >&2; exit 1; }
    say "unpacking it with Debian's patches"
    (cd "$work" && dpkg-source -x qt6-base_*.dsc source) >"$work/unpack.log" 2>&1 ||
        { cat "$work/unpack.log" >&2; exit 1; }
}

# The end of a step's log, and the whole of it kept beside the cache (the work
# folder goes).
failed() { # failed LOG
    tail -n 60 "$work/$1" >&2
    cp "$work/$1" "$root/failed-$1"
    [ ! -f "$work/build/config.summary" ] || cp "$work/build/config.summary" "$root/failed-config.summary"
    say "the whole log: $root/failed-$1"
    exit 1
}

qt_build() { # qt_build CMAKE_ARGUMENTS...
    say "configuring"
    cmake -S "$work/source" -B "$work/build" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "$@" \
        >"$work/configure.log" 2>&1 || failed configure.log
    say "building"
    # One line of progress a hundred steps; the whole log where it fails.
    if ! cmake --build "$work/build" -j"${JOBS:-2}" 2>&1 | tee "$work/build.log" |
        awk -v name="build-qt-$NAME" '/^\[[0-9]+\/[0-9]+\]/ { split(substr($1, 2, length($1) - 2), n, "/");
            if (n[1] % 100 == 0 || n[1] == n[2]) print name ": step " n[1] " of " n[2] > "/dev/stderr" }'; then
        grep -E 'FAILED|error:' -A3 "$work/build.log" | grep -v -E '^ +from |^In file included' | head -n 60 >&2
        failed build.log
    fi
    cmake --install "$work/build" >"$work/install.log" 2>&1 || failed install.log
}

# What Ardivo ships with Qt: its licences, and where it came from.
qt_licences() {
    local dir
    mkdir -p "$prefix/licenses/3rdparty"
    cp "$work/source/LICENSES/"*.txt "$prefix/licenses/"
    cp "$work/source/debian/copyright" "$prefix/licenses/debian-copyright.txt"
    for dir in "$work/source/src/3rdparty/"*/; do
        find "$dir" -maxdepth 1 -type f \( -iname '*licen[cs]e*' -o -iname 'copying*' -o -iname '*.ftl' \
            -o -iname 'ftl.txt' -o -name 'qt_attribution.json' \) \
            -exec install -D -m 644 -t "$prefix/licenses/3rdparty/$(basename "$dir")" {} +
    done
    echo "qt6-base $version (Debian's source package, with its patches), built by Ardivo's scripts/build-qt-$NAME" \
        >"$prefix/SOURCE"
}

qt_done() {
    touch "$prefix/.complete"
    say "done"
}
