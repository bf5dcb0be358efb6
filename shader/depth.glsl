The light's depth pass into the shadow map: terrain corners only (the
world shader's format: steps and the block type with the face direction at
location 0, the mesh's origin and step at 1 and 2), seen through the light
camera ("projview").

##start
##vertex
#version 330 compatibility

layout(location = 0) in uvec4 corner;
layout(location = 1) in vec3 meshOrigin;
layout(location = 2) in vec3 meshStep;

uniform mat4 projview;

// Merged faces meet smaller ones in T-junctions, where rounding in the rasterizer can leave a
// texel that neither covers, and light would come through it. As in the world shader, each
// quad is grown by a fraction of a texel: a fixed share of its distance from the light (the
// clip w of a perspective light), on the sides its corner lies on.
vec3 grownCorner(vec3 p, int faceIndex)
{
    int axis = faceIndex % 3;
    int k = gl_VertexID & 3;
    float su = (k == 1 || k == 2) ? 1.0 : -1.0;
    float sv = ((k >= 2) == (faceIndex >= 3)) ? 1.0 : -1.0;
    float grow = 0.0005 * abs((projview * vec4(p, 1.0)).w);
    vec3 d = vec3(0.0);
    d[(axis + 1) % 3] = su;
    d[(axis + 2) % 3] = sv;
    return p + d * grow;
}

void main()
{
    int face = int(corner.w >> 5u);
    gl_Position = projview * vec4(grownCorner(meshOrigin + meshStep * vec3(corner.xyz), face), 1.0);
}
##end

##start
##fragment
#version 330 compatibility

void main()
{
}
##end
