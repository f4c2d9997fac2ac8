# Load time per number of accounts, the program against the floor, log-log. scripts/bench sets data and output.
set terminal pngcairo size 820,540
set output output
set logscale xy
set grid
set key top left
set xrange [6:16000]
set xtics ("10" 10, "100" 100, "1,000" 1000, "10,000" 10000)
set xlabel "accounts (and as many other subkeys)"
set ylabel "time to list them (ms)"
set title "Account list: EnumRegistryKeys + FillAccountList against a bare RegEnumKeyExA loop"
plot data using 1:2:3:4 with yerrorlines lw 2 pt 7 lc rgb "#c0392b" title "program (median, min-max)", \
     data using 1:5:6:7 with yerrorlines lw 2 pt 5 lc rgb "#2c3e50" title "floor (median, min-max)", \
     data using 1:($5*1.25) with lines dt 2 lc rgb "#7f8c8d" title "1.25 x floor"
