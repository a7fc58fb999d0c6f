# The calculator's result lines for byte positions shown as percent, one per input line, as the peer
# the benchmark compares with: the same parsing, bound test, 4 decimals without trailing zeros and echo.
# Run as: mawk -v disk=<bytes> -f percent_lines.awk positions.txt
{
    if ($1 > disk) {
        print ">100% Out of Bounds (= byte #" $0 ")"
        next
    }
    s = sprintf("%.4f", $1 / disk * 100)
    sub(/0+$/, "", s)
    sub(/\.$/, "", s)
    print s "% (= byte #" $0 ")"
}
