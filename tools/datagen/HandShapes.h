#pragma once

#include "tools/datagen/MeshBuilder.h"

// Hands shared by the player's own mesh and the gloved hands that hold the
// flashlight and the jetpack's throttle.
namespace datagen {

// An open right hand about one unit wide: palm down, fingers along -z, thumb
// towards -x. `back` covers the back and fingers, `palm` the underside.
Mesh openHand(UvRect back, UvRect palm);

// A right fist about 0.9 x 0.8 x 0.7 units closed round a grip that runs
// along y through its middle; knuckles face -z, the thumb wraps over the top.
Mesh fist(UvRect back, UvRect knuckles);

// The matrix that puts a part built facing -z with +y up at `origin`,
// looking along `forward` with `up` as near to its up as possible.
glm::mat4 frameAt(glm::vec3 origin, glm::vec3 forward, glm::vec3 up, float scale);

} // namespace datagen
