#!/usr/bin/env bash
# Checks that a manual page is in step with its program's --help: every long option the help
# of the program (and of each COMMAND given) names appears in the page, every long option the
# page names appears in some help, the page's header carries the program's version, and groff
# renders it without a warning in the locale MANUAL_PAGE_LOCALE (default C). In the C locale
# the page must be ASCII only: any other character would be lost there.
#
# Usage: [MANUAL_PAGE_LOCALE=C.UTF-8] manual_page_matches_help.sh PAGE PROGRAM [COMMAND...]
set -euo pipefail
page="$1"
program="$2"
shift 2

help="$("$program" --help)"
for command in "$@"; do
    help+=$'\n'"$("$program" "$command" --help)"
done

options_in() { grep -o -- '--[a-z][a-z-]*' | sed 's/-*$//' | sort -u; }
# Every program answers --help and --version, whether its help says so or not.
help_options="$(printf "%s\n--help\n--version\n" "$help" | options_in)"
# The page writes each "-" as "\-".
page_options="$(sed 's/\\-/-/g' "$page" | options_in)"

status=0
missing_in_page="$(comm -23 <(echo "$help_options") <(echo "$page_options"))"
missing_in_help="$(comm -13 <(echo "$help_options") <(echo "$page_options"))"
if [ -n "$missing_in_page" ]; then
    echo "$page lacks options that --help names: $(echo $missing_in_page)"
    status=1
fi
if [ -n "$missing_in_help" ]; then
    echo "$page names options that no --help names: $(echo $missing_in_help)"
    status=1
fi

version="$("$program" --version | awk '{ print $NF }')"
if ! head -1 "$page" | grep -qF "$version\""; then
    echo "$page: header $(head -1 "$page") does not carry version $version"
    status=1
fi
locale="${MANUAL_PAGE_LOCALE:-C}"
if [ "$locale" = C ] && non_ascii="$(LC_ALL=C grep -n '[^ -~]' "$page")"; then
    echo "$page: characters the C locale cannot show:"
    echo "$non_ascii"
    status=1
fi
# groff's own complaints about the page, where man-db is installed to show them.
if command -v man > /dev/null &&
    warnings="$(LC_ALL="$locale" MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)" &&
    [ -n "$warnings" ]; then
    echo "$page: $warnings"
    status=1
fi
exit $status
