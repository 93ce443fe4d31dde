# "Click Sound", for buttons: a small soft tick, like a fingertip on a wooden
# bead: a plucked C6 cut short, with a glassy C7 on its attack.
peak=-6
pluck a.wav C6 0.08
ring b.wav C7 0.03
arrange sound.wav a.wav 0 0.8 b.wav 0 0.3
