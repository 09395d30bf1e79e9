# Sourced, after private-display.sh, by the scripts that measure what a program costs per
# frame. It gives them:
#   measure PROGRAM [ARGUMENTS...]   runs the program with $counter preloaded (one of the put
#       counters of tools/) for $seconds after its first frame of $width x $height and a second
#       of warming up; prints its frames per second, its CPU milliseconds per frame and those
#       of the display server, the process $server
#   median                           the middle one of three numbers on standard input

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
put_area() { od -An -t u8 -N 8 "$work/counts" | tr -d ' '; }

measure() {
  : >"$work/counts"
  LD_PRELOAD=$counter QUENBREL_PUT_COUNTER=$work/counts "$@" >/dev/null 2>&1 &
  local pid=$! frame=$((width * height))
  wait_for '[ "$(put_area)" -ge '"$frame"' ] 2>/dev/null'
  sleep 1
  local area0 cpu0 server0 area1 cpu1 server1
  area0=$(put_area) cpu0=$(ticks $pid) server0=$(ticks "$server")
  sleep "$seconds"
  area1=$(put_area) cpu1=$(ticks $pid) server1=$(ticks "$server")
  kill -TERM $pid
  wait $pid 2>/dev/null || true
  awk -v a=$((area1 - area0)) -v f="$frame" -v c=$((cpu1 - cpu0)) -v x=$((server1 - server0)) -v s="$seconds" \
    -v hz="$(getconf CLK_TCK)" 'BEGIN { n = a / f; printf "%.1f %.2f %.2f\n", n / s, 1000 * c / hz / n, 1000 * x / hz / n }'
}

median() { sort -g | sed -n 2p; }
