# sources of this area are added here
