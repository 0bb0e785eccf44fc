#!/usr/bin/env bash
# Fails when a logic library shows a message itself: logic returns errors as values and the command
# layer shows them. Logic libraries are the sources of src/<folder>/ and libs/<library>/ outside their
# ui/ folders, in folders that build a library not named *_ui; libs/velmorawrap (the message
# component itself) and libs/options (a dialog library) are not logic. Flagged: CVelmoraWrap::ShowError
# with an error or notice (a question, VMT_YESNO or VMT_YESNOCANCEL, is allowed), HandleAgentAPIErrors,
# HandleVelmoraError and QMessageBox. Comments and string literals are ignored; a call may span lines.
# Prints file:line for each.
#
#   check-logic-messages.sh            checks the tracked logic sources
#   check-logic-messages.sh FILE...    checks the files given
set -euo pipefail

# A folder holds a logic library when its CMakeLists makes a library not named *_ui (src/frame, for
# one, is all windows: its only library is velmora_frame_ui).
HasLogicLibrary()
{
    [ -f "$1/CMakeLists.txt" ] &&
        grep -oE '(velmora_library|add_library)\([[:space:]]*[A-Za-z0-9_]+' "$1/CMakeLists.txt" |
        grep -vE '_ui$' >/dev/null
}

if [ $# -gt 0 ]; then
    files=("$@")
else
    cd "$(dirname "$0")/.."
    files=()
    for dir in src/*/ libs/*/; do
        dir=${dir%/}
        case $dir in libs/velmorawrap | libs/options) continue ;; esac
        HasLogicLibrary "$dir" || continue
        mapfile -t -O ${#files[@]} files < <(git ls-files -- "$dir/*.cpp" "$dir/*.h" | grep -Ev "^$dir/(.*/)?ui/")
    done
fi

exec perl -e '
use strict;
use warnings;
my $offences = 0;
for my $file (@ARGV) {
    open(my $fh, "<", $file) or die "check-logic-messages: cannot read $file\n";
    local $/;
    my $text = <$fh>;
    close $fh;
    # Blank out comments and string and character literals, keeping every newline where it was.
    my $blank = sub { my $s = shift; $s =~ s/[^\n]/ /g; return $s };
    $text =~ s{(//[^\n]*|/\*.*?\*/|R"([^(\s]*)\(.*?\)\2"|"(?:\\.|[^"\\\n])*"|\x27(?:\\.|[^\x27\\\n])*\x27)}
              {$blank->($1)}gse;
    my @found;
    while ($text =~ /\b(QMessageBox|HandleAgentAPIErrors|HandleVelmoraError)\b/g) {
        push @found, [$-[0], $1];
    }
    while ($text =~ /\bCVelmoraWrap\s*::\s*ShowError\s*\(/g) {
        my $start = $-[0];
        my $open = $+[0];
        # The argument list, up to the matching parenthesis.
        my ($depth, $end) = (1, $open);
        while ($end < length($text) && $depth > 0) {
            my $c = substr($text, $end++, 1);
            $depth++ if $c eq "(";
            $depth-- if $c eq ")";
        }
        my $arguments = substr($text, $open, $end - $open);
        push @found, [$start, "CVelmoraWrap::ShowError without a question type"]
            unless $arguments =~ /\bVMT_YESNO(?:CANCEL)?\b/;
    }
    for my $hit (sort { $a->[0] <=> $b->[0] } @found) {
        my $line = 1 + (substr($text, 0, $hit->[0]) =~ tr/\n//);
        print "$file:$line: $hit->[1] in a logic library\n";
        $offences++;
    }
}
if ($offences) {
    print STDERR "check-logic-messages: $offences message calls in logic libraries (return a CVelmoraError instead)\n";
    exit 1;
}
print "check-logic-messages: ", scalar(@ARGV), " logic sources show no message\n";
' "${files[@]}"
