# "Metamap Zoom In" and "Metamap Zoom Out": the map swoops nearer or further:
# a breath of noise with a tone gliding two octaves, C4 up to C6 going in,
# C6 down to C4 going out. Argument: "in" or "out".
case $1 in
  in) glide=262/1047 ;;
  out) glide=1047/262 ;;
  *) echo "zoom in or out, not $1" >&2; exit 1 ;;
esac
tone air.wav 0.55 pinknoise bandpass 1500 0.8q lowpass 5000 fade q 0.25 0.55 0.25
tone glide.wav 0.5 sine "$glide" fade q 0.1 0.5 0.2
arrange sound.wav air.wav 0 0.5 glide.wav 0 0.35 -- pad 0 0.15 reverb 30 50 40
