Debug boxes of the characters: flat colour ("col") lines.

##start
##vertex
#version 330 compatibility

layout(location = 0) in vec3 position;

uniform mat4 projMatrix;
uniform mat4 viewMatrix;
uniform mat4 modelMatrix;

void main()
{
    gl_Position = projMatrix * viewMatrix * modelMatrix * vec4(position, 1.0);
}
##end

##start
##fragment
#version 330 compatibility

uniform vec4 col;
out vec4 fragColor;

void main()
{
    fragColor = col;
}
##end
