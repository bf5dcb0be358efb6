Terrain corners only (the world shader's format: steps at location 0, the
mesh's origin and step at 1 and 2), seen through "projview" from
"eyePosition". Two passes draw with it: the light's depth into the shadow
map (colour writes off), and the terrain beyond the fog horizon, which shows
nothing but the fog's colour ("flatColor") and needs no lighting.

Quads are grown towards their neighbours exactly as the world shader grows
them, so T-junctions close here too and both passes cover the same pixels.

##start
##vertex
#version 330 compatibility

layout(location = 0) in uvec4 corner;
layout(location = 1) in vec3 meshOrigin;
layout(location = 2) in vec3 meshStep;

uniform mat4 projview;
uniform vec3 eyePosition;

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
