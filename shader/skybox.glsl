Loaded with the table and kept for completeness; the night sky is drawn with
the billboard shader (moon and stars). A plain textured cube.

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 position;

uniform mat4 modelViewMatrix;
uniform mat4 projMatrix;

out vec3 direction;

void main()
{
    direction = position;
    gl_Position = projMatrix * modelViewMatrix * vec4(position, 1.0);
}
##end

##start
##fragment
#version 330 compatibility

in vec3 direction;
out vec4 fragColor;

void main()
{
    float h = clamp(normalize(direction).y, 0.0, 1.0);
    fragColor = vec4(mix(vec3(0.01, 0.012, 0.03), vec3(0.0, 0.0, 0.01), h), 1.0);
}
##end
