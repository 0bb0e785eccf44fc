#!/usr/bin/env bash
# check-logic-messages.sh on sample sources: what it must flag (at the line the call starts) and what
# it must let through (questions, comments, strings, look-alike names).
set -uo pipefail
checker=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

Expect()
{
    local what=$1 status=$2 expected=$3 actual=$4
    if [ "$status" != "${expected%%|*}" ] || [ "$actual" != "${expected#*|}" ]; then
        echo "FAIL $what: status $status, output:"
        echo "$actual"
        echo "expected status and output: $expected"
        failed=1
    else
        echo "PASS $what"
    fi
}

cat > "$dir/flagged.cpp" <<'SRC'
#include <QMessageBox>
void A()
{
    CVelmoraWrap::ShowError(1234, VMT_ERROR);
    CVelmoraWrap::ShowError(Id(Kind(1), 2),
                            VMT_NOTICE);
    CVelmoraWrap :: ShowError(
        CVelmoraError::Message(7, {"VMT_YESNO"}, VMT_ERROR));
    if (CVelmoraWrap::HandleAgentAPIErrors(code) != 0) return;
    CVelmoraWrap::HandleVelmoraError(code);
    CVelmoraWrap::ShowError(QStringLiteral("a ) b"), VMT_ERROR); // VMT_YESNO in a comment
}
SRC
out=$("$checker" "$dir/flagged.cpp" 2>/dev/null)
Expect "errors, notices and handlers are flagged where the call starts" $? "1|$dir/flagged.cpp:1: QMessageBox in a logic library
$dir/flagged.cpp:4: CVelmoraWrap::ShowError without a question type in a logic library
$dir/flagged.cpp:5: CVelmoraWrap::ShowError without a question type in a logic library
$dir/flagged.cpp:7: CVelmoraWrap::ShowError without a question type in a logic library
$dir/flagged.cpp:9: HandleAgentAPIErrors in a logic library
$dir/flagged.cpp:10: HandleVelmoraError in a logic library
$dir/flagged.cpp:11: CVelmoraWrap::ShowError without a question type in a logic library" "$out"

cat > "$dir/clean.cpp" <<'SRC'
// CVelmoraWrap::ShowError(1, VMT_ERROR) and QMessageBox in a comment
/* HandleAgentAPIErrors(code);
   CVelmoraWrap::ShowError(2, VMT_NOTICE); */
bool B()
{
    const char* text = "CVelmoraWrap::ShowError(3, VMT_ERROR) QMessageBox";
    const char quote = '"';
    if (CVelmoraWrap::ShowError(1397, VMT_YESNO) != IDYES)
        return false;
    const int answer = CVelmoraWrap::ShowError(Id(1, 2),
                                               VMT_YESNOCANCEL);
    return CVelmoraWrap::AgentErrorStops(code) && MyHandleVelmoraErrors(code) && answer;
}
SRC
out=$("$checker" "$dir/clean.cpp" 2>/dev/null)
Expect "questions, comments, strings and other names pass" $? "0|check-logic-messages: 1 logic sources show no message" "$out"

exit $failed
