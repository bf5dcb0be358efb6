GUI objects and text: a textured quad in screen space. Lines outside the
sections are notes and are not compiled.

Inputs: location 0 position (2 or 3 components; z orders overlapping
objects), location 1 texture coordinate. Uniforms: projMatrix, modelMatrix,
diffuseTex (unit 0), backgroundColor (shows through where the picture is
transparent; (0, 0, 0, 0) leaves the picture as it is).

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;

uniform mat4 projMatrix;
uniform mat4 modelMatrix;

out vec2 uv;

void main()
{
    uv = texCoord;
    gl_Position = projMatrix * modelMatrix * vec4(position, 1.0);
}
##end

##start
##fragment
#version 330 compatibility

in vec2 uv;

uniform sampler2D diffuseTex;
uniform vec4 backgroundColor;

layout(location = 0) out vec4 fragColor;

void main()
{
    vec4 picture = texture(diffuseTex, uv);
    float alpha = picture.a + backgroundColor.a * (1.0 - picture.a);
    // Fully transparent parts neither show nor hide what lies behind them,
    // whatever order the quads are drawn in.
    if (alpha <= 0.0)
        discard;
    vec3 colour = (picture.rgb * picture.a + backgroundColor.rgb * backgroundColor.a * (1.0 - picture.a)) / alpha;
    fragColor = vec4(colour, alpha);
}
##end
