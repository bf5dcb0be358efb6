notes before the first section
##start
##vertex
#version 330 compatibility
layout(location = 0) in vec2 position;
void main() { gl_Position = vec4(position, 0.0, 1.0); }
##end
##start
##fragment
#version 330 compatibility
out vec4 color;
void main() { color = vec4(1.0); }
##end
