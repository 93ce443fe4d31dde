# The game's sounds and music, synthesised by sox from the recipes here and
# encoded to Ogg Vorbis by oggenc, into "music/" of the data folder: the
# sound factory looks there for every sound, effects included. Each file has
# its own rule on its recipe and the kit files the recipe uses, so only what
# changed is made again. "strings.xml" and "music/music.xml" of assets/ name
# these files.
find_program(SOX_PROGRAM sox REQUIRED)
find_program(OGGENC_PROGRAM oggenc REQUIRED)
set(sound_recipes "${CMAKE_CURRENT_LIST_DIR}")

# music/FILE, made by RECIPE.sh (effects/ or music/) with the arguments given.
function(quorvane_sound file recipe)
  set(output "${QUORVANE_DATA_FOLDER}/music/${file}")
  set(kit "${sound_recipes}/MakeSound.sh" "${sound_recipes}/SoundKit.sh")
  if(recipe MATCHES "^music/")
    list(APPEND kit "${sound_recipes}/MusicKit.sh")
  endif()
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${sound_recipes}/MakeSound.sh" "${output}" "${sound_recipes}/${recipe}.sh" ${ARGN}
    DEPENDS "${sound_recipes}/${recipe}.sh" ${kit}
    COMMENT "Making music/${file}"
    VERBATIM)
  set(data_outputs ${data_outputs} "${output}" PARENT_SCOPE)
endfunction()

# Buttons of the menus (their window tables name these files).
quorvane_sound(click.ogg effects/Click)
quorvane_sound(button-press.ogg effects/ButtonPress)
quorvane_sound(button-over.ogg effects/ButtonOver)
# Rings.
quorvane_sound(ring-rotate.ogg effects/RingRotate)
quorvane_sound(ring-snap.ogg effects/RingSnap)
quorvane_sound(blocker-turn.ogg effects/BlockerTurn)
quorvane_sound(gear-rotating.ogg effects/GearRotating)
# Matches.
quorvane_sound(match3.ogg effects/Match 3)
quorvane_sound(match4.ogg effects/Match 4)
quorvane_sound(match5.ogg effects/Match 5)
quorvane_sound(piece-fall.ogg effects/PieceFall)
quorvane_sound(powerup-creation.ogg effects/PowerUpCreation)
# Bombs.
quorvane_sound(small-bomb.ogg effects/SmallBomb)
quorvane_sound(big-bomb.ogg effects/BigBomb)
quorvane_sound(ring-bomb.ogg effects/RingBomb)
quorvane_sound(time-bomb.ogg effects/TimeBomb)
quorvane_sound(color-change.ogg effects/ColorChange)
quorvane_sound(lock-explode.ogg effects/LockExplode)
quorvane_sound(gear-explode.ogg effects/GearExplode)
# Blockers.
quorvane_sound(blocker-break.ogg effects/BlockerBreak)
quorvane_sound(blocker-broken.ogg effects/BlockerBroken)
quorvane_sound(blocker-blocked.ogg effects/BlockerBlocked)
# Jugs: one note of the C major chord for each colour's jug.
set(jug_notes C5 E5 G5 C6 E6 G6)
foreach(jug RANGE 1 6)
  math(EXPR index "${jug} - 1")
  list(GET jug_notes ${index} note)
  quorvane_sound(jug-fill-${jug}.ogg effects/JugFill ${note})
endforeach()
quorvane_sound(jug-fill-white.ogg effects/JugFillWhite)
quorvane_sound(jug-full.ogg effects/JugFull)
# Time.
quorvane_sound(almost-time-out.ogg effects/AlmostTimeOut)
quorvane_sound(warning.ogg effects/Warning)
# End of a level.
quorvane_sound(expert-banner.ogg effects/ExpertBanner)
quorvane_sound(expert-transition.ogg effects/ExpertTransition)
quorvane_sound(fire-quote.ogg effects/FireQuote)
# Map and progress.
quorvane_sound(unlock-zen.ogg effects/UnlockZen)
quorvane_sound(complete-world.ogg effects/CompleteWorld)
quorvane_sound(complete-world-flash.ogg effects/CompleteWorldFlash)
quorvane_sound(change-world.ogg effects/ChangeWorld)
quorvane_sound(metamap-zoom-in.ogg effects/MetamapZoom in)
quorvane_sound(metamap-zoom-out.ogg effects/MetamapZoom out)
# Music: one tempo, one key family, so any piece may follow any other.
quorvane_sound(intro.ogg music/Intro)
quorvane_sound(outro.ogg music/Outro)
foreach(track RANGE 1 5)
  quorvane_sound(track${track}.ogg music/Track${track})
endforeach()
