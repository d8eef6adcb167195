#!/usr/bin/env bash
# Prints the deb-src lines that mirror the machine's own binary package sources of one release
# (same URIs, suites, components and key; suites RELEASE and RELEASE-*), in the one-line format,
# so that source packages come from wherever the machine already gets its binary packages.
#   tools/apt-source-lines.sh [APT_DIR [RELEASE]]   (defaults: /etc/apt, this system's codename)
set -euo pipefail
apt_dir=${1:-/etc/apt}
release=${2:-$(. /etc/os-release && echo "$VERSION_CODENAME")}

one_line_files() {
  [ -f "$apt_dir/sources.list" ] && echo "$apt_dir/sources.list"
  find "$apt_dir/sources.list.d" -maxdepth 1 -name '*.list' 2>/dev/null | sort
}
deb822_files() { find "$apt_dir/sources.list.d" -maxdepth 1 -name '*.sources' 2>/dev/null | sort; }

of_release='function of_release(s) { return s == release || index(s, release "-") == 1 }'

# deb [options] URI SUITE COMPONENT...
from_one_line() {
  awk -v release="$release" "$of_release"'
    $1 != "deb" { next }
    {
      i = 2; options = ""
      if ($2 ~ /^\[/) {
        while (i <= NF && $i !~ /\]$/) { options = options " " $i; i++ }
        options = options " " $i; i++
      }
      if (!of_release($(i + 1))) next
      line = "deb-src" options " " $i " " $(i + 1)
      for (j = i + 2; j <= NF && $j !~ /^#/; j++) line = line " " $j
      print line
    }' "$@"
}

# Stanzas of Field: value lines; a key embedded in Signed-By (continuation lines) is not kept.
from_deb822() {
  awk -v release="$release" "$of_release"'
    function flush(   n, u, s, i, k, uris, suites, key) {
      if (types ~ /(^| )deb( |$)/ && enabled != "no") {
        key = signed != "" && signed !~ /BEGIN/ ? " [signed-by=" signed "]" : ""
        n = split(uri_list, uris, " ")
        k = split(suite_list, suites, " ")
        for (u = 1; u <= n; u++)
          for (i = 1; i <= k; i++)
            if (of_release(suites[i])) print "deb-src" key " " uris[u] " " suites[i] " " components
      }
      types = uri_list = suite_list = components = signed = enabled = ""
    }
    /^[ \t]*$/ { flush(); next }
    /^#/ || /^[ \t]/ { next }
    {
      field = tolower($1); sub(/:$/, "", field)
      value = $0; sub(/^[^:]*:[ \t]*/, "", value)
      if (field == "types") types = value
      else if (field == "uris") uri_list = value
      else if (field == "suites") suite_list = value
      else if (field == "components") components = value
      else if (field == "signed-by") signed = value
      else if (field == "enabled") enabled = tolower(value)
    }
    END { flush() }' "$@"
}

mapfile -t lists < <(one_line_files)
mapfile -t stanzas < <(deb822_files)
{
  [ ${#lists[@]} -eq 0 ] || from_one_line "${lists[@]}"
  [ ${#stanzas[@]} -eq 0 ] || from_deb822 "${stanzas[@]}"
} | sort -u
