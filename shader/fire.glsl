The bonfire's flames: one point, expanded by the geometry shader into a quad
that always faces the camera and stands upright on the point. The flame's
shape comes from alphaTex (white inside), its colour from diffTex (hot at the
bottom), and both are shifted sideways and upwards by a tiling noise texture
(distTex) that scrolls up with time ("yDist" = -time), so the flames flicker.

Inputs: location 0 position (the point, model space), location 1 one float
(the point's size factor). Uniforms: modelMatrix, viewMatrix, projMatrix,
yDist, resolution (the noise scale), alphaTex (unit 0), distTex (unit 1),
diffTex (unit 3).

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 position;
layout(location = 1) in float size;

uniform mat4 modelMatrix;
uniform mat4 viewMatrix;

out float pointSize;

void main()
{
    pointSize = size;
    gl_Position = viewMatrix * modelMatrix * vec4(position, 1.0);
}
##end

##start
##geometry
#version 330 compatibility

layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

in float pointSize[];

uniform mat4 projMatrix;
uniform mat4 viewMatrix;

out vec2 uv;

void main()
{
    // The flame stands on the point: 2.2 units wide, 3 high, upright in the world.
    vec4 base = gl_in[0].gl_Position;
    vec3 right = vec3(1.1, 0.0, 0.0) * pointSize[0];
    vec3 up = (viewMatrix * vec4(0.0, 3.0, 0.0, 0.0)).xyz * pointSize[0];
    vec2 corners[4] = vec2[](vec2(0.0, 0.0), vec2(1.0, 0.0), vec2(0.0, 1.0), vec2(1.0, 1.0));
    for (int i = 0; i < 4; ++i) {
        vec2 c = corners[i];
        vec3 p = base.xyz + right * (c.x * 2.0 - 1.0) + up * c.y - up * 0.15;
        uv = c;
        gl_Position = projMatrix * vec4(p, 1.0);
        EmitVertex();
    }
    EndPrimitive();
}
##end

##start
##fragment
#version 330 compatibility

in vec2 uv;

uniform sampler2D alphaTex;
uniform sampler2D distTex;
uniform sampler2D diffTex;
uniform float yDist;
uniform float resolution;

layout(location = 0) out vec4 fragColor;

void main()
{
    // Two samples of the scrolling noise at different speeds keep the
    // flicker from looking like one sheet sliding upwards.
    vec2 scroll = vec2(uv.x, uv.y * 0.7 + yDist * 0.9) / max(resolution, 0.01);
    float n1 = texture(distTex, scroll).r;
    float n2 = texture(distTex, scroll * 1.7 + vec2(0.31, yDist * 0.6)).r;
    vec2 wobble = vec2(n1 - 0.5, n2 - 0.5) * 0.35 * uv.y;
    vec2 shaped = clamp(uv + wobble, vec2(0.0), vec2(1.0));

    float mask = texture(alphaTex, shaped).r;
    vec3 colour = texture(diffTex, vec2(uv.x, uv.y + (n1 - 0.5) * 0.2)).rgb;
    float alpha = mask * clamp(1.2 - uv.y * 0.4 + (n2 - 0.5) * 0.3, 0.0, 1.0);
    if (alpha <= 0.02)
        discard;
    fragColor = vec4(colour * (1.2 + n1 * 0.4), alpha);
}
##end
