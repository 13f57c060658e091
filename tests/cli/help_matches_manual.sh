#!/usr/bin/env bash
# --help is written from the option table; the manual page is written by hand. They must name the
# same commands, each with the same options, and the manual must describe every option.
# Usage: help_matches_manual.sh PATH_TO_ORVANTO_CLI PATH_TO_MANUAL_SOURCE
set -u
cli=$1
manual=$2
failed=0
help=$("$cli" --help)
options() { grep -o -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' '; }

commands=$(grep -o '^  orvanto-cli [a-z]*' <<<"$help" | awk '{print $2}')
manual_commands=$(grep -o '^\*orvanto-cli [a-z]*\*' "$manual" | tr -d '*' | awk '{print $2}')
if [ "$commands" != "$manual_commands" ]; then
    echo "FAIL: commands in --help: $commands; in the manual: $manual_commands"
    failed=1
fi
for command in $commands; do
    # The synopsis runs from its first line on, over the lines indented under it.
    in_help=$(awk -v c="$command" '$0 ~ "^  orvanto-cli " c " " {on = 1; print; next}
                                    on && /^       / {print; next} {on = 0}' <<<"$help" | options)
    in_manual=$(grep "^\*orvanto-cli $command\*" "$manual" | options)
    if [ "$in_help" != "$in_manual" ]; then
        echo "FAIL: $command takes '$in_help' by --help, '$in_manual' by the manual"
        failed=1
    fi
    # Its own help describes the options of its synopsis, and no other.
    own=$("$cli" "$command" --help)
    described=$(sed -n '/^选项：/,/^$/p' <<<"$own" | grep -o '^  --[a-z][a-z-]*' | options)
    if [ "$described" != "$in_help" ]; then
        echo "FAIL: $command --help describes '$described', its synopsis has '$in_help'"
        failed=1
    fi
done
for option in $(sed -n '/^选项：/,/^$/p' <<<"$help" | grep -o '^  --[a-z][a-z-]*' | sort -u); do
    grep -q "^\*$option[=*]" "$manual" || { echo "FAIL: the manual has no entry for $option"; failed=1; }
done
exit $failed
