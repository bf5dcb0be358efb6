Terrain corners only (the world shader's format: steps at location 0, the
mesh's origin and step at 1 and 2), seen through "projview" from
"eyePosition". Two passes draw with it: the light's depth into the shadow
map (colour writes off), and the terrain beyond the fog horizon, which shows
nothing but the fog's colour ("flatColor") and needs no lighting.

Quads are grown towards their neighbours exactly as the world shader grows
them, so T-junctions close here too and both passes cover the same pixels.

Built with CLIP_TO_CONE for the lamp's depth: "coneRadius" bounds the cone on
the map, and the triangles are clipped to the octagon around it (clip
distances 0 to 3).

##start
##vertex
#version 330 compatibility

layout(location = 0) in uvec4 corner;
layout(location = 1) in vec3 meshOrigin;
layout(location = 2) in vec3 meshStep;

uniform mat4 projview;
uniform vec3 eyePosition;
#ifdef CLIP_TO_CONE
// The lamp's cone as a circle of this radius around the view's centre, in normalized device
// units: its triangles are clipped to the octagon around that circle, since no pixel reads
// the map outside the cone.
uniform float coneRadius;
out float gl_ClipDistance[4];
#endif

vec3 grownCorner(vec3 p, int faceIndex)
{
    int axis = faceIndex % 3;
    int k = gl_VertexID & 3;
    float su = (k == 1 || k == 2) ? 1.0 : -1.0;
    float sv = ((k >= 2) == (faceIndex >= 3)) ? 1.0 : -1.0;
    float grow = 0.0005 * length(p - eyePosition);
    vec3 d = vec3(0.0);
    d[(axis + 1) % 3] = su;
    d[(axis + 2) % 3] = sv;
    return p + d * grow;
}

void main()
{
    vec3 p = grownCorner(meshOrigin + meshStep * vec3(corner.xyz), int(corner.w >> 5u));
    gl_Position = projview * vec4(p, 1.0);
#ifdef CLIP_TO_CONE
    // The octagon's diagonal sides touch the circle: |x| + |y| <= sqrt(2) r.
    float rim = 1.41422 * coneRadius * gl_Position.w;
    gl_ClipDistance[0] = rim - gl_Position.x - gl_Position.y;
    gl_ClipDistance[1] = rim + gl_Position.x - gl_Position.y;
    gl_ClipDistance[2] = rim - gl_Position.x + gl_Position.y;
    gl_ClipDistance[3] = rim + gl_Position.x + gl_Position.y;
#endif
}
##end

##start
##fragment
#version 330 compatibility

uniform vec4 flatColor;
out vec4 fragColor;

void main()
{
    fragColor = flatColor;
}
##end
